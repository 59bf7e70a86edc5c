#pragma once
// Folder rules: where the program's files go and how the program's own path splits.
#include "framework/core/String.h"

class Paths {
 public:
  static String UserDataFolder();
  static String SharedDataFolder();

  // base + "/" + maker + "/" + title + "/", each level created private to the user. When the
  // base cannot be used, the program folder serves instead.
  static String ApplicationDataFolder(const String& base, const String& companyKey, const String& title,
                                      const String& programFolder);
};

// The part of a path after its last "/", "\" or ":".
String FileNameFromPath(const String& path);

// A file name without its extension: the text from the last "." of the last path component
// on is cut (a "." in a folder name is not an extension).
String StripExtension(const String& path);

// The path up to and including its last "/"; empty when it has none.
String FolderOfPath(const String& path);

// Creates one folder private to the user; the result is not needed by callers.
void CreateFolder(const String& path);
