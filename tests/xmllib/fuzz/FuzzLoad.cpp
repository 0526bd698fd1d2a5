// Fuzzes loading a document from a string (and now and then from a file)
// and then moving through what was loaded. The input is the document; its
// last bytes also choose the loading flags and the moves.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "olmix/Olmix.h"

namespace {

const char* const kNames[] = {"Data", "Row", "a", "b", "id", "x", "ROW"};

void move(std::uint8_t op, olmix::RecordQueue& names, olmix::RecordQueue& rows) {
    std::string value;
    switch (op % 16) {
        case 0:
            XML_GOTOTOP();
            break;
        case 1:
            XML_GOTOCHILD();
            break;
        case 2:
            XML_GOTOSIBLING();
            break;
        case 3:
            XML_GOTOPARENT();
            break;
        case 4:
            XML_SETPOINTER(std::int32_t(op) - 8);
            break;
        case 5:
            XML_FINDNEXTNODE(kNames[op % 7]);
            break;
        case 6:
            XML_FINDNEXTNODE(kNames[op % 7], kNames[(op / 7) % 7]);
            break;
        case 7:
            XML_FINDNEXTCONTENT(op & 16 ? "1" : "a", op & 32 ? 1 : 0, op & 64 ? 1 : 0);
            break;
        case 8:
            XML_READCURRENTRECORD(names, value);
            break;
        case 9:
            XML_READNEXTRECORD(names, value);
            break;
        case 10:
            XML_READPREVIOUSRECORD(names, value);
            break;
        case 11:
            XML_SAVESTATE();
            break;
        case 12:
            XML_RESTORESTATE(std::int16_t(op % 18));
            break;
        case 13:
            XML_FREESTATE(std::int16_t(op % 18));
            break;
        case 14:
            if (op & 16)
                XML_AUTOROOTSET();
            else
                XML_AUTOROOTCLEAR();
            break;
        default:
            if (op & 16) XML_QUALIFYFIELDSET("a", op & 32 ? 1 : 0);
            if (op & 64) XML_ATTRIBUTEFIELDSET("id", 1, "@N05.1");
            rows.freeRecords();
            XML_LOADQUEUE(rows, op & 1, op & 2 ? 1 : 0, op & 4 ? 1 : 0);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        olmix::setMessageHandler([](const std::string&, const std::string&) {});
        return true;
    }();
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::uint8_t control = size ? data[size - 1] : 0;

    if (control % 8 == 7) {
        static const std::string file = "/tmp/olmix-fuzz-" + std::to_string(getpid()) + ".xml";
        if (FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(data, 1, size, f);
            std::fclose(f);
            XML_LOADFROMFILE(file, control & 16 ? 1 : 0, 1);
            std::remove(file.c_str());
        }
    } else {
        XML_LOADFROMSTRING(text, control & 16 ? 1 : 0, control & 32 ? 1 : 0);
    }

    // Every node can be read back.
    std::string path, value;
    for (std::uint32_t i = 1; olmix::nodeAt(i, path, value); ++i) {
    }

    olmix::RecordQueue names;
    names.addText("N:NAME");
    olmix::RecordQueue rows;
    rows.addText("R:A");
    rows.addInteger("R:ID", 3);
    rows.addDecimal("R:B", 2);
    XML_GOTOTOP();
    for (std::size_t i = 0; i < size && i < 48; ++i) move(data[size - 1 - i], names, rows);

    if (control & 64) XML_FREE();
    return 0;
}
