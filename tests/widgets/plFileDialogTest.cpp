#include <QTest>
class plFileDialogTest : public QObject { Q_OBJECT };
QTEST_MAIN(plFileDialogTest)
#include "plFileDialogTest.moc"
