// Process entry of the GUI program: runs start-up, the event loop and shutdown.
#include <cstdio>

int main() {
    std::fputs("Halvorn Scalora: the window system is not built yet\n", stderr);
    return 255;
}
