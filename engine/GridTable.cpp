#include "engine/GridTable.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace qv::engine {

namespace {

using Doc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

bool named(const xmlNode* n, const char* name) {
    return n->type == XML_ELEMENT_NODE && xmlStrcasecmp(n->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

std::string attribute(const xmlNode* n, const char* name) {
    xmlChar* v = xmlGetProp(n, reinterpret_cast<const xmlChar*>(name));
    if (!v) return {};
    std::string out(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return out;
}

bool hasClass(const xmlNode* n, const std::string& wanted) {
    const std::string classes = attribute(n, "class");
    size_t at = 0;
    while (at < classes.size()) {
        const size_t start = classes.find_first_not_of(" \t\r\n", at);
        if (start == std::string::npos) break;
        const size_t end = std::min(classes.find_first_of(" \t\r\n", start), classes.size());
        if (classes.compare(start, end - start, wanted) == 0) return true;
        at = end;
    }
    return false;
}

bool blank(const xmlNode* n) {
    if (n->type == XML_COMMENT_NODE) return true;
    if (n->type != XML_TEXT_NODE) return false;
    for (const xmlChar* c = n->content; c && *c; ++c)
        if (!std::strchr(" \t\r\n", *c)) return false;
    return true;
}

std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '&') out += "&amp;";
        else if (c == '"') out += "&quot;";
        else if (c == '<') out += "&lt;";
        else out += c;
    }
    return out;
}

// An element's attributes as HTML, less those named in `except`.
std::string attributes(const xmlNode* n, std::initializer_list<const char*> except = {}) {
    std::string out;
    for (const xmlAttr* a = n->properties; a; a = a->next) {
        const char* name = reinterpret_cast<const char*>(a->name);
        if (std::any_of(except.begin(), except.end(), [&](const char* e) { return strcasecmp(e, name) == 0; }))
            continue;
        out += ' ';
        out += name;
        out += "=\"" + escaped(attribute(n, name)) + '"';
    }
    return out;
}

// A cell's text as HTML shows it: runs of white space as one space, none at the ends.
QString shownText(const xmlNode* cell) {
    xmlChar* raw = xmlNodeGetContent(cell);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(raw ? raw : BAD_CAST ""));
    xmlFree(raw);
    QString out;
    out.reserve(text.size());
    bool space = false;
    for (QChar c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            space = !out.isEmpty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

// What a grid may hold: rows (in sections or not) of cells of text alone.
bool plainGrid(const xmlNode* table) {
    const std::string border = attribute(table, "border");
    if (!border.empty() && border != "0") return false;
    for (const xmlNode* a = table->parent; a && !named(a, "body"); a = a->parent)
        if (named(a, "td") || named(a, "th") || named(a, "table")) return false;
    auto rowOk = [](const xmlNode* tr) {
        for (const xmlNode* cell = tr->children; cell; cell = cell->next) {
            if (blank(cell)) continue;
            if (!named(cell, "td") && !named(cell, "th")) return false;
            const std::string rowspan = attribute(cell, "rowspan");
            if (!rowspan.empty() && rowspan != "1") return false;
            for (const xmlNode* c = cell->children; c; c = c->next)
                if (c->type != XML_TEXT_NODE && c->type != XML_COMMENT_NODE) return false;
        }
        return true;
    };
    for (const xmlNode* n = table->children; n; n = n->next) {
        if (blank(n)) continue;
        if (named(n, "tr")) {
            if (!rowOk(n)) return false;
        } else if (named(n, "thead") || named(n, "tbody") || named(n, "tfoot")) {
            for (const xmlNode* tr = n->children; tr; tr = tr->next)
                if (!blank(tr) && !(named(tr, "tr") && rowOk(tr))) return false;
        } else {
            return false;
        }
    }
    return true;
}

class Reader {
public:
    Reader(const std::string& styles, const std::string& bodyAttributes)
        : styles_(styles), body_(bodyAttributes) {}

    GridTable read(xmlNode* table) {
        GridTable grid;
        // The table's surroundings, for what its cells inherit.
        std::vector<const xmlNode*> around;
        for (const xmlNode* a = table->parent; a && !named(a, "body"); a = a->parent)
            if (a->type == XML_ELEMENT_NODE) around.push_back(a);
        std::reverse(around.begin(), around.end());
        std::string open, close;
        for (const xmlNode* a : around) {
            open += "<" + std::string(reinterpret_cast<const char*>(a->name)) + attributes(a) + ">";
            close = "</" + std::string(reinterpret_cast<const char*>(a->name)) + ">" + close;
        }
        tableOpen_ = "<table" + attributes(table) + ">";
        looks_.clear();
        snippets_.clear();

        // thead rows first, wherever the section stands, as a document puts them.
        for (const xmlNode* n = table->children; n; n = n->next)
            if (named(n, "thead")) addSection(n, true, grid);
        grid.headerRows = static_cast<int>(grid.rows.size());
        for (const xmlNode* n = table->children; n; n = n->next) {
            if (named(n, "tr")) addRow(n, false, grid);
            else if (named(n, "tbody")) addSection(n, false, grid);
        }
        for (const xmlNode* n = table->children; n; n = n->next)
            if (named(n, "tfoot")) addSection(n, false, grid);

        grid.lookCount = static_cast<int>(snippets_.size());
        std::string html = "<html><head><style>" + styles_ + "</style></head><body" + body_ + ">" + open;
        for (const std::string& s : snippets_) html += s;
        html += close + "</body></html>";
        grid.looksHtml = QString::fromStdString(html);
        return grid;
    }

private:
    void addSection(const xmlNode* section, bool header, GridTable& grid) {
        for (const xmlNode* tr = section->children; tr; tr = tr->next)
            if (named(tr, "tr")) addRow(tr, header, grid);
    }

    void addRow(const xmlNode* tr, bool header, GridTable& grid) {
        GridRow row;
        const std::string rowAttributes = attributes(tr);
        for (const xmlNode* cell = tr->children; cell; cell = cell->next) {
            if (!named(cell, "td") && !named(cell, "th")) continue;
            GridCell c;
            c.text = shownText(cell);
            c.span = std::clamp(std::atoi(attribute(cell, "colspan").c_str()), 1, 1000);
            const std::string tag = named(cell, "th") ? "th" : "td";
            const std::string look = std::string(header ? "h" : "b") + rowAttributes + "|" + tag +
                                     attributes(cell, {"colspan", "rowspan"});
            auto [it, added] = looks_.try_emplace(look, static_cast<int>(snippets_.size()));
            if (added) {
                const std::string cellHtml = "<tr" + rowAttributes + "><" + tag + attributes(cell, {"colspan", "rowspan"}) +
                                             ">X</" + tag + "></tr>";
                snippets_.push_back(tableOpen_ + (header ? "<thead>" + cellHtml + "</thead>" : cellHtml) + "</table>");
            }
            c.look = it->second;
            row.cells.push_back(std::move(c));
        }
        grid.rows.push_back(std::move(row));
    }

    std::string styles_, body_, tableOpen_;
    std::map<std::string, int> looks_;
    std::vector<std::string> snippets_;
};

void findGrids(xmlNode* n, std::vector<xmlNode*>& out) {
    for (; n; n = n->next) {
        if (named(n, "table") && hasClass(n, "grid") && plainGrid(n)) {
            out.push_back(n);
            continue;
        }
        findGrids(n->children, out);
    }
}

void collectStyles(const xmlNode* n, std::string& out, const xmlNode*& body) {
    for (; n; n = n->next) {
        if (named(n, "style")) {
            xmlChar* text = xmlNodeGetContent(n);
            if (text) out += reinterpret_cast<const char*>(text);
            xmlFree(text);
            out += '\n';
            continue;
        }
        if (named(n, "body") && !body) body = n;
        collectStyles(n->children, out, body);
    }
}

}  // namespace

int GridTable::columnCount() const {
    int most = 0;
    for (const GridRow& r : rows) {
        int n = 0;
        for (const GridCell& c : r.cells) n += c.span;
        most = std::max(most, n);
    }
    return most;
}

QString gridMarker(int index) { return QString("qv-grid-table-%1").arg(index); }

ExtractedGrids extractGridTables(const std::string& html) {
    ExtractedGrids out;
    if (html.find("grid") == std::string::npos) {
        out.html = html;
        return out;
    }
    Doc doc(htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                           HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
            xmlFreeDoc);
    std::vector<xmlNode*> grids;
    if (doc) findGrids(xmlDocGetRootElement(doc.get()), grids);
    if (grids.empty()) {
        out.html = html;
        return out;
    }
    std::string styles;
    const xmlNode* body = nullptr;
    collectStyles(xmlDocGetRootElement(doc.get()), styles, body);
    Reader reader(styles, body ? attributes(body) : std::string());
    for (xmlNode* table : grids) {
        out.tables.push_back(reader.read(table));
        // The marker: a paragraph of its own with no margins of its own.
        xmlNode* p = xmlNewDocNode(doc.get(), nullptr, BAD_CAST "p", nullptr);
        xmlNewProp(p, BAD_CAST "style", BAD_CAST "margin-top: 0px; margin-bottom: 0px;");
        const std::string marker = gridMarker(static_cast<int>(out.tables.size()) - 1).toStdString();
        xmlAddChild(p, xmlNewDocText(doc.get(), BAD_CAST marker.c_str()));
        xmlReplaceNode(table, p);
        xmlFreeNode(table);
    }
    xmlChar* text = nullptr;
    int size = 0;
    htmlDocDumpMemoryFormat(doc.get(), &text, &size, 0);
    out.html.assign(reinterpret_cast<const char*>(text), size);
    xmlFree(text);
    return out;
}

}  // namespace qv::engine
