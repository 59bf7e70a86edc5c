#include "framework/app/Paths.h"

#include "framework/app/AppGlobals.h"
#include "platform/XdgFolders.h"

String Paths::UserDataFolder() { return Globals().userDataFolder; }

String Paths::SharedDataFolder() { return Globals().sharedDataFolder; }

String Paths::ApplicationDataFolder(const String& base, const String& companyKey, const String& title,
                                    const String& programFolder) {
  if (base.IsEmpty() || !CreateUserFolder(base.CStr())) return programFolder;
  String path = base + "/" + companyKey;
  CreateFolder(path);
  path += "/";
  path += title;
  CreateFolder(path);
  path += "/";
  return path;
}

String FileNameFromPath(const String& path) {
  for (int i = path.Length() - 1; i >= 0; --i) {
    if (path[i] == '/' || path[i] == '\\' || path[i] == ':') return path.Mid(i + 1);
  }
  return path;
}

String StripExtension(const String& path) {
  const int nameStart = path.Length() - FileNameFromPath(path).Length();
  for (int i = path.Length() - 1; i >= nameStart; --i) {
    if (path[i] == '.') return path.Left(i);
  }
  return path;
}

String FolderOfPath(const String& path) {
  for (int i = path.Length() - 1; i >= 0; --i) {
    if (path[i] == '/') return path.Left(i + 1);
  }
  return String();
}

void CreateFolder(const String& path) { CreateUserFolder(path.CStr()); }
