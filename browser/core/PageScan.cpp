#include "browser/core/PageScan.h"

#include "forms/core/Text.h"

#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <utility>

namespace browser {

namespace {

struct Tag {
    std::wstring name; // lower case
    bool closing = false;
    std::vector<std::pair<std::wstring, std::wstring>> attributes; // names lower case
    std::size_t end = 0;                                           // just past the '>'

    std::wstring Attribute(const wchar_t* wanted) const {
        for (const auto& [name, value] : attributes) {
            if (name == wanted) {
                return value;
            }
        }
        return L"";
    }
};

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == 0xA0;
}

// Decoded text with every run of blanks made one space, and none at the ends.
std::wstring Clean(const std::wstring& raw) {
    std::wstring out;
    bool blank = false;
    for (const wchar_t c : DecodeEntities(raw)) {
        if (IsSpace(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out += L' ';
            blank = false;
        }
        out += c;
    }
    return out;
}

std::size_t SkipSpace(const std::wstring& s, std::size_t pos) {
    while (pos < s.size() && IsSpace(s[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t WordEnd(const std::wstring& s, std::size_t pos, const wchar_t* stops) {
    while (pos < s.size() && !IsSpace(s[pos]) && std::wcschr(stops, s[pos]) == nullptr) {
        ++pos;
    }
    return pos;
}

// The value after '=' at pos: quoted, or up to the next blank or '>'.
std::wstring ReadValue(const std::wstring& s, std::size_t& pos) {
    if (pos < s.size() && (s[pos] == L'"' || s[pos] == L'\'')) {
        const std::size_t close = s.find(s[pos], pos + 1);
        const std::size_t end = close == std::wstring::npos ? s.size() : close;
        std::wstring value = s.substr(pos + 1, end - pos - 1);
        pos = end == s.size() ? end : end + 1;
        return value;
    }
    const std::size_t end = WordEnd(s, pos, L">");
    std::wstring value = s.substr(pos, end - pos);
    pos = end;
    return value;
}

void ReadAttributes(const std::wstring& s, std::size_t pos, Tag& tag) {
    for (;;) {
        pos = SkipSpace(s, pos);
        if (pos >= s.size() || s[pos] == L'>') {
            tag.end = pos < s.size() ? pos + 1 : pos;
            return;
        }
        if (s[pos] == L'/') {
            ++pos;
            continue;
        }
        const std::size_t nameEnd = WordEnd(s, pos + 1, L"=>/");
        std::wstring name = forms::LowerAscii(s.substr(pos, nameEnd - pos));
        pos = SkipSpace(s, nameEnd);
        std::wstring value;
        if (pos < s.size() && s[pos] == L'=') {
            pos = SkipSpace(s, pos + 1);
            value = DecodeEntities(ReadValue(s, pos));
        }
        tag.attributes.emplace_back(std::move(name), std::move(value));
    }
}

// The markup at lt ('<'): false when it is no tag but text.
bool ReadTag(const std::wstring& s, const std::wstring& lower, std::size_t lt, Tag& tag) {
    std::size_t pos = lt + 1;
    if (lower.compare(pos, 3, L"!--") == 0) {
        const std::size_t close = lower.find(L"-->", pos + 3);
        tag.end = close == std::wstring::npos ? s.size() : close + 3;
        return true;
    }
    if (pos < s.size() && (s[pos] == L'!' || s[pos] == L'?')) {
        const std::size_t close = s.find(L'>', pos);
        tag.end = close == std::wstring::npos ? s.size() : close + 1;
        return true;
    }
    tag.closing = pos < s.size() && s[pos] == L'/';
    pos += tag.closing ? 1 : 0;
    if (pos >= s.size() || !std::iswalpha(s[pos])) {
        return false;
    }
    const std::size_t nameEnd = WordEnd(s, pos, L"/>");
    tag.name = lower.substr(pos, nameEnd - pos);
    ReadAttributes(s, nameEnd, tag);
    return true;
}

// Text elements whose content is no markup: the position of their end tag.
std::size_t RawTextEnd(const std::wstring& lower, std::size_t from, const std::wstring& name) {
    const std::size_t close = lower.find(L"</" + name, from);
    return close == std::wstring::npos ? lower.size() : close;
}

class Scanner {
public:
    explicit Scanner(const std::wstring& html) : html_(html), lower_(forms::LowerAscii(html)) {}

    PageScan Run() {
        std::size_t pos = 0;
        while (pos < html_.size()) {
            const std::size_t lt = html_.find(L'<', pos);
            Text(html_.substr(pos, lt == std::wstring::npos ? std::wstring::npos : lt - pos));
            if (lt == std::wstring::npos) {
                break;
            }
            Tag tag;
            if (!ReadTag(html_, lower_, lt, tag)) {
                Text(L"<");
                pos = lt + 1;
                continue;
            }
            pos = OnTag(tag, lt);
        }
        EndLink();
        const std::size_t rootEnd = rootEnd_ == std::wstring::npos ? html_.size() : rootEnd_;
        page_.rootInnerHtmlLength = rootStart_ == std::wstring::npos ? html_.size()
                                    : rootEnd > rootStart_           ? rootEnd - rootStart_
                                                                     : 0;
        return std::move(page_);
    }

private:
    void Text(const std::wstring& text) {
        if (inLink_) {
            linkText_ += text;
        }
    }

    // Where scanning goes on after the tag that starts at lt.
    std::size_t OnTag(const Tag& tag, std::size_t lt) {
        if (tag.closing) {
            OnEndTag(tag, lt);
            return tag.end;
        }
        if (tag.name == L"script" || tag.name == L"style" || tag.name == L"title") {
            const std::size_t close = RawTextEnd(lower_, tag.end, tag.name);
            if (tag.name == L"title" && !titleSeen_) {
                page_.title = Clean(html_.substr(tag.end, close - tag.end));
                titleSeen_ = true;
            }
            return close;
        }
        if (tag.name == L"a") {
            EndLink();
            StartLink(tag);
        } else if ((tag.name == L"iframe" || tag.name == L"frame") &&
                   !tag.Attribute(L"src").empty()) {
            page_.frames.push_back(tag.Attribute(L"src"));
        } else if (tag.name == L"html" && rootStart_ == std::wstring::npos) {
            rootStart_ = tag.end;
        }
        return tag.end;
    }

    void OnEndTag(const Tag& tag, std::size_t lt) {
        if (tag.name == L"a") {
            EndLink();
        } else if (tag.name == L"html") {
            rootEnd_ = lt;
        }
    }

    // An <a> without href is an anchor, not a link.
    void StartLink(const Tag& tag) {
        for (const auto& attribute : tag.attributes) {
            if (attribute.first == L"href") {
                inLink_ = true;
                link_ = PageLink{L"", attribute.second, Clean(tag.Attribute(L"target"))};
                linkText_.clear();
                return;
            }
        }
    }

    void EndLink() {
        if (inLink_) {
            link_.text = Clean(linkText_);
            page_.links.push_back(std::move(link_));
            inLink_ = false;
        }
    }

    const std::wstring& html_;
    const std::wstring lower_;
    PageScan page_;
    bool titleSeen_ = false;
    bool inLink_ = false;
    PageLink link_;
    std::wstring linkText_;
    std::size_t rootStart_ = std::wstring::npos;
    std::size_t rootEnd_ = std::wstring::npos;
};

} // namespace

PageScan ScanPage(const std::wstring& html) {
    return Scanner(html).Run();
}

namespace {

struct NamedEntity {
    const wchar_t* name;
    wchar_t character;
};
constexpr NamedEntity kNamedEntities[] = {
    {L"amp", L'&'},   {L"lt", L'<'},   {L"gt", L'>'},   {L"quot", L'"'},
    {L"apos", L'\''}, {L"nbsp", 0xA0}, {L"copy", 0xA9}, {L"middot", 0xB7},
};

void AppendCodePoint(std::wstring& out, unsigned long code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = 0xFFFD;
    }
    if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
        code -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (code >> 10));
        out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        return;
    }
    out += static_cast<wchar_t>(code);
}

// The reference between '&' and ';', appended decoded; false if unknown.
bool AppendReference(std::wstring& out, const std::wstring& name) {
    if (name.size() > 1 && name[0] == L'#') {
        const bool hex = name[1] == L'x' || name[1] == L'X';
        const std::wstring digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of(hex ? L"0123456789abcdefABCDEF" : L"0123456789") !=
                std::wstring::npos) {
            return false;
        }
        AppendCodePoint(out, std::wcstoul(digits.c_str(), nullptr, hex ? 16 : 10));
        return true;
    }
    for (const NamedEntity& entity : kNamedEntities) {
        if (name == entity.name) {
            out += entity.character;
            return true;
        }
    }
    return false;
}

} // namespace

std::wstring DecodeEntities(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text[i] == L'&' ? text.find(L';', i + 1) : std::wstring::npos;
        if (semicolon != std::wstring::npos && semicolon - i <= 10 &&
            AppendReference(out, text.substr(i + 1, semicolon - i - 1))) {
            i = semicolon;
            continue;
        }
        out += text[i];
    }
    return out;
}

} // namespace browser
