#pragma once
// The executable's own resources (string table, icon, cursors, framework font and pictures,
// version), compiled into the program from assets/exe by the packer. Library qm_exeres.
#include "framework/core/ResourceModule.h"

const ResourceModule& ExeResources();
