// The program's entry point: kept apart from the framework library so that
// test programs can link the same code with an entry point of their own.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
