#include "PropertyListShape.h"

#include <expat.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{

enum class Kind { Plist, Dict, Array, Text, Empty, Key };

struct Frame {
    Kind kind;
    int children = 0;
    bool expectKey = true; // in a dict: the next child must be a <key>
};

struct Checker {
    XML_Parser parser = nullptr;
    std::vector<Frame> stack;
    bool sawRoot = false;
    bool failed = false;

    void fail()
    {
        if (!failed) {
            failed = true;
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

bool KindOf(const char *name, Kind *kind)
{
    static const struct {
        const char *name;
        Kind kind;
    } kElements[] = {
        {"dict", Kind::Dict},   {"array", Kind::Array}, {"string", Kind::Text}, {"integer", Kind::Text},
        {"real", Kind::Text},   {"date", Kind::Text},   {"data", Kind::Text},   {"true", Kind::Empty},
        {"false", Kind::Empty}, {"key", Kind::Key},     {nullptr, Kind::Empty},
    };
    for (const auto *e = kElements; e->name != nullptr; ++e) {
        if (std::strcmp(e->name, name) == 0) {
            *kind = e->kind;
            return true;
        }
    }
    return false;
}

void XMLCALL OnStart(void *data, const XML_Char *name, const XML_Char ** /*attributes*/)
{
    auto *c = static_cast<Checker *>(data);
    if (c->stack.empty()) {
        if (c->sawRoot || std::strcmp(name, "plist") != 0)
            return c->fail();
        c->sawRoot = true;
        c->stack.push_back({Kind::Plist});
        return;
    }
    Kind kind;
    if (!KindOf(name, &kind))
        return c->fail();
    Frame &parent = c->stack.back();
    switch (parent.kind) {
    case Kind::Plist:
        if (parent.children > 0 || kind == Kind::Key)
            return c->fail();
        break;
    case Kind::Dict:
        if ((kind == Kind::Key) != parent.expectKey)
            return c->fail();
        parent.expectKey = !parent.expectKey;
        break;
    case Kind::Array:
        if (kind == Kind::Key)
            return c->fail();
        break;
    default: // leaves hold no elements
        return c->fail();
    }
    ++parent.children;
    c->stack.push_back({kind});
}

void XMLCALL OnEnd(void *data, const XML_Char * /*name*/)
{
    auto *c = static_cast<Checker *>(data);
    if (c->stack.empty())
        return c->fail();
    const Frame frame = c->stack.back();
    c->stack.pop_back();
    if (frame.kind == Kind::Plist && frame.children != 1)
        return c->fail();
    if (frame.kind == Kind::Dict && !frame.expectKey) // a key without its value
        return c->fail();
}

void XMLCALL OnText(void *data, const XML_Char *text, int length)
{
    auto *c = static_cast<Checker *>(data);
    const Kind where = c->stack.empty() ? Kind::Plist : c->stack.back().kind;
    if (where == Kind::Text || where == Kind::Key)
        return;
    for (int i = 0; i < length; ++i) {
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n' && text[i] != '\r')
            return c->fail();
    }
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

} // namespace

bool TintIsPropertyListText(std::string_view text)
{
    if (text.empty() || text.size() > static_cast<std::size_t>(INT32_MAX))
        return false;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> parser(XML_ParserCreate("UTF-8"));
    if (!parser)
        return false;
    Checker checker;
    checker.parser = parser.get();
    XML_SetUserData(parser.get(), &checker);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    const XML_Status status = XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), XML_TRUE);
    return status == XML_STATUS_OK && !checker.failed && checker.sawRoot && checker.stack.empty();
}
