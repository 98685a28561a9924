// Makes the atlas block the program maps at start (core/atlas/atlas_index.h) from
// atlas.tsv; the build runs it.
//   ferolune-atlas-index resources/atlas.tsv build/data/atlas.idx

#include "core/atlas/atlas_index.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: ferolune-atlas-index <atlas.tsv> <atlas.idx>\n", stderr);
        return 2;
    }
    const QString in = QFile::decodeName(argv[1]);
    QFile table(in);
    if (!table.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(table.errorString()));
        return 1;
    }
    const auto block = ferolune::atlasindex::buildFromTable(table.readAll(), in);
    if (!block) {
        std::fprintf(stderr, "%s\n", qPrintable(block.error()));
        return 1;
    }
    QSaveFile out(QFile::decodeName(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(*block) != block->size() || !out.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
