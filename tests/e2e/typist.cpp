// Another program the user types into, for the end-to-end cases: a window titled "typist" with a
// text box whose text is written to the file named on the command line at every change.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    QPlainTextEdit box;
    box.setWindowTitle(QStringLiteral("typist"));
    box.resize(300, 100);
    QObject::connect(&box, &QPlainTextEdit::textChanged, [&] {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(box.toPlainText().toUtf8());
    });
    box.show();
    return app.exec();
}
