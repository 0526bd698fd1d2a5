#include "engine/Transform.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/Disposal.h"

namespace qv::engine {

namespace {

// The processor's messages of the running transform, collected as text.
thread_local std::string* collected = nullptr;

void collect(void*, const char* format, ...) {
    if (!collected) return;
    char buf[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    *collected += buf;
}

struct Collecting {
    std::string text;
    Collecting() {
        collected = &text;
        xmlSetGenericErrorFunc(nullptr, collect);
        xsltSetGenericErrorFunc(nullptr, collect);
    }
    ~Collecting() { collected = nullptr; }
    std::string message(const char* fallback) const {
        std::string t = text;
        while (!t.empty() && (t.back() == '\n' || t.back() == ' ')) t.pop_back();
        return t.empty() ? fallback : t;
    }
};

struct StylesheetFree {
    void operator()(xsltStylesheetPtr p) const { xsltFreeStylesheet(p); }
};
struct DocFree {
    void operator()(xmlDocPtr p) const { xmlFreeDoc(p); }
};
struct ContextFree {
    void operator()(xsltTransformContextPtr p) const { xsltFreeTransformContext(p); }
};
struct PrefsFree {
    void operator()(xsltSecurityPrefsPtr p) const { xsltFreeSecurityPrefs(p); }
};

xsltDocLoaderFunc standardLoader = nullptr;

// Data files a definition reads with document() are rows of fields, laid
// out with line breaks and indents between elements: those blank text nodes
// mean nothing to a definition, and left out they no longer cost a sixth of
// a long report's run. A field that holds only spaces keeps them.
xmlDocPtr loadDocument(const xmlChar* uri, xmlDictPtr dict, int options, void* ctxt, xsltLoadType type) {
    if (type == XSLT_LOAD_DOCUMENT) options |= XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;
    return standardLoader(uri, dict, options, ctxt, type);
}

void initOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xsltInit();
        standardLoader = xsltDocDefaultLoader;
        xsltSetLoaderFunc(loadDocument);
    });
}

// An XPath string literal of `s`.
std::string literal(const std::string& s) {
    if (s.find('\'') == std::string::npos) return "'" + s + "'";
    if (s.find('"') == std::string::npos) return "\"" + s + "\"";
    // Both kinds of quote: concat() of pieces.
    std::string out = "concat(";
    size_t start = 0;
    while (start <= s.size()) {
        size_t q = s.find('\'', start);
        std::string piece = s.substr(start, q == std::string::npos ? std::string::npos : q - start);
        if (!piece.empty()) out += "'" + piece + "', ";
        if (q == std::string::npos) break;
        out += "\"'\", ";
        start = q + 1;
    }
    return out + "'')";
}

// The run itself, on the calling thread. The HTML is left in `text`, to be
// copied by the thread that uses it and then handed to the disposal worker.
TransformResult transformHere(const std::string& definition, const std::string& dataFolder, xmlChar*& text,
                              int& length) {
    TransformResult r;
    Collecting errors;
    std::unique_ptr<xsltStylesheet, StylesheetFree> style(
        xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(definition.c_str())));
    if (!style) {
        r.error = errors.message("the definition could not be read");
        return r;
    }
    static const char kInput[] = "<report/>";
    std::unique_ptr<xmlDoc, DocFree> input(xmlReadMemory(kInput, sizeof kInput - 1, "report.xml", nullptr, XML_PARSE_NONET));
    std::unique_ptr<xsltTransformContext, ContextFree> ctxt(xsltNewTransformContext(style.get(), input.get()));
    std::unique_ptr<xsltSecurityPrefs, PrefsFree> prefs(xsltNewSecurityPrefs());
    if (!input || !ctxt || !prefs) {
        r.error = "out of memory";
        return r;
    }
    for (xsltSecurityOption o : {XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY,
                                 XSLT_SECPREF_WRITE_NETWORK, XSLT_SECPREF_READ_NETWORK})
        xsltSetSecurityPrefs(prefs.get(), o, xsltSecurityForbid);
    xsltSetCtxtSecurityPrefs(prefs.get(), ctxt.get());

    const std::string data = literal(dataFolder);
    const char* params[] = {"data", data.c_str(), nullptr};
    std::unique_ptr<xmlDoc, DocFree> result(
        xsltApplyStylesheetUser(style.get(), input.get(), params, nullptr, nullptr, ctxt.get()));
    if (!result || ctxt->state != XSLT_STATE_OK) {
        r.error = errors.message("the definition could not be run");
        return r;
    }
    if (xsltSaveResultToString(&text, &length, result.get(), style.get()) != 0) {
        r.error = errors.message("the report could not be written out");
        return r;
    }
    r.ok = true;
    // The trees go in the order their owners would free them.
    disposeLater([result = result.release(), prefs = prefs.release(), ctxt = ctxt.release(), input = input.release(),
                  style = style.release()] {
        xmlFreeDoc(result);
        xsltFreeSecurityPrefs(prefs);
        xsltFreeTransformContext(ctxt);
        xmlFreeDoc(input);
        xsltFreeStylesheet(style);
    });
    return r;
}

}  // namespace

// A run builds its trees on a thread of its own, which allocates from a heap
// of its own: the disposal worker then frees them without holding up the
// caller, who goes on to lay out the pages from the heap it always uses.
// Freed on the caller's heap, they slowed the layout by as much as they
// saved. For the same reason the caller makes its own copy of the HTML.
TransformResult transform(const std::string& definition, const std::string& dataFolder) {
    initOnce();
    TransformResult r;
    xmlChar* text = nullptr;
    int length = 0;
    std::exception_ptr failure;
    std::thread run([&] {
        try {
            r = transformHere(definition, dataFolder, text, length);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    run.join();
    if (text) {
        if (r.ok) r.html.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
        disposeLater([text] { xmlFree(text); });
    }
    if (failure) std::rethrow_exception(failure);
    return r;
}

}  // namespace qv::engine
