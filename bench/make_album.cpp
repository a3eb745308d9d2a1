// Writes a large album description: make_album FILE [PAGES] (1000 pages by default).
#include <cstdio>
#include <cstdlib>

#include "AlbumGenerator.h"

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s FILE [PAGES]\n", argv[0]);
        return 2;
    }
    const int pages = argc > 2 ? atoi(argv[2]) : 1000;
    const std::string text = bench::AlbumText(pages);
    FILE *file = fopen(argv[1], "w");
    if (!file || fwrite(text.data(), 1, text.size(), file) != text.size() || fclose(file) != 0) {
        perror(argv[1]);
        return 1;
    }
    printf("%s: %d pages, %zu bytes\n", argv[1], pages, text.size());
    return 0;
}
