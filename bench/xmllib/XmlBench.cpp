// Writes and reads a record-style document (a root, one element per record,
// ten fields each, like the export files) with Olmix and with pugixml, and
// prints the speed of each in MB/s with the ratios.
//
//   bench_xml [megabytes]     default 50

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "olmix/Olmix.h"

namespace {

constexpr int kRuns = 3;

double seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double bestOf(const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) best = std::min(best, seconds(work));
    return best;
}

double megabytes(const std::filesystem::path& file) {
    return double(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
}

olmix::RecordQueue makeQueue(std::size_t records) {
    olmix::RecordQueue q;
    q.addInteger("EXP:MEMBERID");
    q.addText("EXP:SURNAME");
    q.addText("EXP:FIRSTNAME");
    q.addText("EXP:DIVISIONNAME");
    q.addText("EXP:SEASONID");
    q.addDecimal("EXP:TOTALWEIGHT", 3);
    q.addDecimal("EXP:TRIPPOINTS", 2);
    q.addText("EXP:SPECIESNAME");
    q.addText("EXP:INACTIVEFLAG");
    q.addText("EXP:NOTES");
    const char* surnames[] = {"Harrow", "O'Connell", "Ngata", "Smith & Sons", "Lee"};
    const char* species[] = {"Snapper", "Kahawai", "Trevally", "Gurnard <small>", "John Dory"};
    for (std::size_t i = 0; i < records; ++i) {
        q.clear();
        q.setInteger(1, std::int32_t(i + 1));
        q.setText(2, surnames[i % 5]);
        q.setText(3, "Angler" + std::to_string(i % 997));
        q.setText(4, i % 3 ? "Senior" : "Junior");
        q.setText(5, std::to_string(2000 + i % 25));
        q.setDecimal(6, olmix::Decimal{std::int64_t(i * 37 % 100000), 3});
        q.setDecimal(7, olmix::Decimal{std::int64_t(i * 13 % 10000), 2});
        q.setText(8, species[i % 5]);
        q.setText(9, i % 7 ? "N" : "Y");
        q.setText(10, "Caught off the rocks near the point, fine weather, trip " +
                          std::to_string(i % 50));
        q.add();
    }
    return q;
}

void fillPugi(pugi::xml_document& doc, const olmix::RecordQueue& q) {
    doc.reset();
    pugi::xml_node data = doc.append_child("Data");
    std::vector<std::string> names;
    for (std::size_t n = 1; n <= q.fieldCount(); ++n) {
        std::string label = q.label(n);
        std::string name = label.substr(label.find(':') + 1);
        for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
        names.push_back(name);
    }
    std::string text;
    for (std::size_t i = 1; i <= q.records(); ++i) {
        pugi::xml_node row = data.append_child("Row");
        const auto& values = q.recordValues(i);
        for (std::size_t n = 1; n <= q.fieldCount(); ++n) {
            text.clear();
            q.appendText(text, n, values[q.field(n).firstSlot]);
            row.append_child(names[n - 1].c_str()).text().set(text.c_str());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    double targetMb = argc > 1 ? std::atof(argv[1]) : 50.0;
    if (targetMb <= 0) targetMb = 50.0;
    // A row of this shape takes about 415 bytes.
    std::size_t records = std::size_t(targetMb * 1024 * 1024 / 415);
    olmix::setMessageHandler([](const std::string& title, const std::string& text) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    });

    auto dir = std::filesystem::temp_directory_path() / ("olmix-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string olmixFile = (dir / "olmix.xml").string();
    const std::string pugiFile = (dir / "pugixml.xml").string();

    olmix::RecordQueue q = makeQueue(records);
    pugi::xml_document out;
    fillPugi(out, q);

    double olmixWrite = bestOf([&] {
        if (XML_CREATEXMLFILE(olmixFile, "", "", 1) != 0) std::abort();
        XML_CREATEPARENT("Data");
        XML_ADDPARENT();
        XML_ADDFROMQUEUE(q, "Row", 0, 1, 1);
        XML_CLOSEPARENT();
        XML_CLOSEXMLFILE();
    });
    double pugiWrite = bestOf([&] {
        if (!out.save_file(pugiFile.c_str(), " ",
                           pugi::format_indent | pugi::format_no_declaration))
            std::abort();
    });
    out.reset();

    std::uint32_t nodes = 0;
    double olmixRead = bestOf([&] {
        if (XML_LOADFROMFILE(olmixFile) != 0) std::abort();
        nodes = olmix::readerInfo().nodes;
        XML_FREE();
    });
    double pugiRead = bestOf([&] {
        pugi::xml_document in;
        if (!in.load_file(olmixFile.c_str())) std::abort();
    });

    const double olmixMb = megabytes(olmixFile);
    const double pugiMb = megabytes(pugiFile);
    std::printf("records %zu, Olmix file %.1f MB (%u nodes), pugixml file %.1f MB, best of %d\n",
                records, olmixMb, nodes, pugiMb, kRuns);
    std::printf("write  Olmix   %8.1f MB/s   (XML_ADDFROMQUEUE to file)\n", olmixMb / olmixWrite);
    std::printf("write  pugixml %8.1f MB/s   (xml_document::save_file)\n", pugiMb / pugiWrite);
    std::printf("read   Olmix   %8.1f MB/s   (XML_LOADFROMFILE, node list)\n", olmixMb / olmixRead);
    std::printf("read   pugixml %8.1f MB/s   (xml_document::load_file, same file)\n",
                olmixMb / pugiRead);
    std::printf("ratio  write Olmix/pugixml %.2f (goal >= 1.00)\n",
                (olmixMb / olmixWrite) / (pugiMb / pugiWrite));
    std::printf("ratio  read  Olmix/pugixml %.2f (goal >= 0.50)\n", pugiRead / olmixRead);

    std::filesystem::remove_all(dir);
    return 0;
}
