#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("KorventＰＤＦ　　 Ｖｅｒ．１．３１"));
    window.setMinimumSize(512, 450);
    window.show();
    return app.exec();
}
