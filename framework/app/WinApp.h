#pragma once
// The base application object: it holds what the entry function hands over (the executable's
// resources, the command line, the show command), fills the framework's global strings and
// folders, and answers command-line options. There is one, static, reached through Current().
#include "framework/app/CommandLine.h"
#include "framework/core/ResourceModule.h"
#include "framework/core/String.h"

class WinApp {
 public:
  WinApp(int titleId, int classId);
  WinApp(const WinApp&) = delete;
  WinApp& operator=(const WinApp&) = delete;

  // The base has no window of its own, so no messages to wait for: it ends at once.
  virtual int Run();
  virtual bool Init();
  virtual void Exit();
  virtual String GetCompanyKey() const;
  virtual ~WinApp();

  // The application object in existence, or null.
  static WinApp* Current();

  // What the entry function stores before InitPaths.
  void SetStartup(const ResourceModule* instance, const CommandLine& commandLine, int showCommand);

  // Fills title, class name, program path and folders, the maker key word, both data folders
  // and the crash-report path (AppGlobals).
  void InitPaths();
  // The executable's version resource as "v.%d.%d.%d.%d" into the globals; empty without one.
  void ReadFileVersion();

  bool HasOption(const char* option) const { return commandLine_.HasOption(option); }
  long GetOptionInt(const char* option) const { return commandLine_.GetOptionInt(option); }
  const CommandLine& GetCommandLine() const { return commandLine_; }

  const ResourceModule* Instance() const { return instance_; }
  int ShowCommand() const { return showCommand_; }
  const String& ClassName() const { return className_; }
  bool UseRegistryDefaults() const { return useRegistryDefaults_; }
  void SetUseRegistryDefaults(bool on) { useRegistryDefaults_ = on; }

 protected:
  // Where the program lives; the test build points it elsewhere.
  virtual String ModuleFileName() const;

 private:
  const ResourceModule* instance_ = nullptr;
  CommandLine commandLine_;
  int showCommand_ = 0;
  String className_;
  int titleId_;
  int classId_;
  bool useRegistryDefaults_ = false;
};
