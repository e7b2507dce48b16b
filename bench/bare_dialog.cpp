// bench-bare-dialog: the least a Qt program does to show a dialog, the
// start-up benchmark's yardstick for the Linux build. Ends when closed.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Bare window"));
  dialog.resize(320, 200);
  dialog.show();
  return app.exec();
}
