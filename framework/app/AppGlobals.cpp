#include "framework/app/AppGlobals.h"

AppGlobals& Globals() {
  static AppGlobals globals;
  return globals;
}
