#include "app/entry.h"
#include "platform/gui/application.h"

int main(int argc, char **argv) {
    const int result = RunEntry([&] { StartStation(argc, argv); });
    Application->DestroyComponents();
    return result;
}
