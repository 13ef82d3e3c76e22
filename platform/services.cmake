# Sources of the system services (dialogs, registry store, transfer, ...), relative to
# platform/.
target_sources(yura_platform PRIVATE
  textdecoding.h textdecoding.cpp
  internettransfer.h
  networktransfer.h networktransfer.cpp
  registry.h registry.cpp
  dialogs.h dialogs.cpp
)
