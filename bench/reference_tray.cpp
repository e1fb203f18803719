// The floor for any Qt 6 Widgets tray program: a painted icon in the tray and one hidden window,
// nothing else. scripts/bench measures Vantoly against it.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap picture(22, 22);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("7"));
    painter.end();
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    QWidget window;
    window.winId(); // created, never shown
    return app.exec();
}
