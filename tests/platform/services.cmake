# Tests of the system services.
yura_add_test(tst_textdecoding LABEL unit SOURCES tst_textdecoding.cpp LIBS yura_platform)
yura_add_test(tst_networktransfer LABEL unit SOURCES tst_networktransfer.cpp LIBS yura_platform)
yura_add_test(tst_registry LABEL unit SOURCES tst_registry.cpp LIBS yura_platform)
yura_add_test(tst_dialogs LABEL widget SOURCES tst_dialogs.cpp LIBS yura_platform)
yura_add_test(tst_shellservices LABEL unit SOURCES tst_shellservices.cpp LIBS yura_platform)
yura_add_test(tst_systemservices LABEL widget SOURCES tst_systemservices.cpp LIBS yura_platform)
yura_add_test(tst_faketransfer LABEL unit SOURCES tst_faketransfer.cpp LIBS yura_platform)
yura_add_test(tst_files LABEL unit SOURCES tst_files.cpp LIBS yura_platform)
