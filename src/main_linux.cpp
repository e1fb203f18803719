// The Linux program's executable: small and free of Qt, so what must be settled before the Qt
// libraries load costs nearly nothing; then the Qt program, loaded from beside it.
#include "platform/qt/start/ProgramStart.h"

int main(int argc, char** argv) {
    vantoly::qt::StartWithLargePages(argv, vantoly::qt::StoredNoteBytes());
    return vantoly::qt::RunQtProgram(argc, argv);
}
