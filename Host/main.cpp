// tintdialog: the print dialog of one QV-MR52 queue (see TintDialogMain).
#include "TintDialogMain.h"

int main(int argc, char **argv)
{
    return TintDialogMain(argc, argv);
}
