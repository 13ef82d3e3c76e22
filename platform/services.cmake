# Sources of the system services (dialogs, registry store, transfer, ...), relative to
# platform/.
target_sources(yura_platform PRIVATE
  textdecoding.h textdecoding.cpp
  internettransfer.h
  networktransfer.h networktransfer.cpp
  registry.h registry.cpp
  dialogs.h dialogs.cpp
  clipboard.h clipboard.cpp
  processlauncher.h processlauncher.cpp
  shellservices.h shellservices.cpp
  windowservices.h windowservices.cpp
  inputmethod.h inputmethod.cpp
  drives.h
  platform.h platform.cpp
  files.h files.cpp
  eventratelimit.h eventratelimit.cpp
  fonts.h fonts.cpp
  privacy.h privacy.cpp
  enginesandbox.h enginesandbox.cpp
)
