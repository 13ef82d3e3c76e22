# Test doubles of the system services, relative to tests/support/.
target_sources(yura_testsupport PRIVATE
  fakeinternettransfer.h fakeinternettransfer.cpp
  memoryregistry.h
  scripteddialogs.h scripteddialogs.cpp
  fakeservices.h fakeservices.cpp
  fakeplatform.h fakeplatform.cpp
  fakebrowser.h fakebrowser.cpp
  fakebrowserhost.h
)
