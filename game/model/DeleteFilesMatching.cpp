#include "game/model/DeleteFilesMatching.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

int DeleteFilesMatching(const String& pattern, const String& folder)
{
    const char* name = strrchr(pattern.CStr(), '/');
    name = name ? name + 1 : pattern.CStr();
    if (*name == '\0')
        return 0;
    std::string base = folder.IsEmpty() ? "./" : folder.CStr();
    if (base.back() != '/')
        base += '/';
    DIR* dir = opendir(base.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* entry = readdir(dir)) {
        if (fnmatch(name, entry->d_name, FNM_PERIOD) != 0)
            continue;
        const std::string path = base + entry->d_name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(path.c_str()) == 0)
            ++removed;
    }
    closedir(dir);
    return removed;
}
