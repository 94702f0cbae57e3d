#include "WindowTest.h"
class ShellTest : public QObject { Q_OBJECT private slots: void init() { testsupport::resetShell(); } };
AEROKIT_WINDOW_TEST_MAIN(ShellTest)
#include "shell_window_test.moc"
