#include <QTest>
class ChoiLabelsTest : public QObject { Q_OBJECT };
QTEST_MAIN(ChoiLabelsTest)
#include "ChoiLabelsTest.moc"
