#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: orvak-cli dump DATEI\n");
        return 1;
    }
    std::fprintf(stderr, "Unbekannter Befehl: %s\n", argv[1]);
    return 1;
}
