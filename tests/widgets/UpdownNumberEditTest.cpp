#include <QTest>
class UpdownNumberEditTest : public QObject { Q_OBJECT };
QTEST_MAIN(UpdownNumberEditTest)
#include "UpdownNumberEditTest.moc"
