#pragma once
// Removes the files of one folder whose names match a pattern with "*" and "?" wildcards.
#include "framework/core/String.h"

// `pattern` may carry the folder in front of the name; only its last component is matched, and
// only regular files directly in `folder` are removed. Answers how many were removed.
int DeleteFilesMatching(const String& pattern, const String& folder);
