#pragma once
// Reads an asset folder into a pack: every file <TYPE>/<id>[-slug].<ext> becomes resource
// (TYPE, id) with the file's bytes, and strings.txt at the top becomes the string table.
#include <string>

#include "framework/core/PackWriter.h"

// False with a message naming the file for a type folder whose name cannot be a type, a file
// name without a decimal id (0..65535), a (type, id) already in the pack, an unreadable file or
// a malformed string table. Names starting with "." are ignored.
bool AddAssetTree(const std::string& folder, PackWriter* pack, std::string* error);
