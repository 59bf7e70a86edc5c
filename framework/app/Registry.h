#pragma once
// Typed settings below the program's key, kept in settings files in place of the registry:
// the current user's file (read and written) and the machine-wide file (read only). A subkey
// is a section of the file; names compare without regard to case.
//
// Reads never fail: the UseRegistryDefaults reset of the running application, an empty maker
// key word, or a missing file, section or value yields the default; the stored text is read
// as whatever kind the caller asks for.
//
// Each file is read once and its values kept for later reads (see Reload); a write changes the
// kept values and replaces the user's file with them.
#include <cstdint>

#include "framework/core/String.h"

enum class Hive { kCurrentUser, kLocalMachine };

class Registry {
 public:
  // A value that is not a whole 32-bit number (decimal, or hexadecimal after "0x") reads as
  // the default.
  static int32_t ReadInt(const char* subkey, const char* name, int32_t defaultValue, Hive hive);
  // True only when the stored number is exactly 1.
  static bool ReadBool(const char* subkey, const char* name, bool defaultValue, Hive hive);
  static String ReadString(const char* subkey, const char* name, const char* defaultText, Hive hive);

  // Writes go to the current user's file, replaced atomically; false when nothing was stored.
  static bool WriteInt(const char* subkey, const char* name, int32_t value);
  static bool WriteBool(const char* subkey, const char* name, bool value);
  // A null name deletes the subkey; a null text deletes the value; an empty text is stored.
  static bool WriteString(const char* subkey, const char* name, const char* text);

  // The settings file of a hive: <config>/<maker>/<title>/settings.ini.
  static String FilePath(Hive hive);

  // Drops the kept values, so the next read of each file reads it again (start-up does, to see
  // a file changed since the last run).
  static void Reload();

  // While a batch lives, writes change the values read back at once but reach the file only
  // when the outermost batch ends, all in one replacement: a quit cut short leaves the file
  // wholly old or wholly new. A write inside a batch answers whether its value was taken;
  // whether the file got it, End tells.
  class Batch {
   public:
    Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    ~Batch();  // ends the batch if End has not, its outcome then unseen

    // Ends the batch, replacing the file when it is the outermost. True when every write of
    // the batches open so far was taken and, for the outermost, the file replaced.
    [[nodiscard]] bool End();

   private:
    bool ended_ = false;
    bool outcome_ = true;
  };
};
