// Quorix: the main window.
#include "app/Avvio.h"

int main(int argc, char** argv) { return qx::Avvia(argc, argv); }
