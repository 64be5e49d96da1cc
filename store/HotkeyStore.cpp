#include "store/HotkeyStore.h"

#include "platform/portable/IniDocument.h"
#include "platform/portable/ProfileValue.h"
#include "platform/portable/Utf.h"
#include "store/BindingEdit.h"
#include "store/Errors.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace quickdex {
namespace {

using Section = IniDocument::Section;
using Line = IniDocument::Line;

// The keys of a binding the program knows, in the order they are written.
// A text key always has a value (its default when the line is missing); an
// option is absent unless set, and a value it does not know reads as absent
// and is left in the file as it stands.
struct KnownKey {
    const char* key;
    const char* fallback; // text keys; null for an option
    const char* label;    // the word the length refusal uses
    // The record's value as stored text; nothing for an option not set.
    std::optional<std::string> (*of)(const Tquickdex&);
    // The record's field from the text a load reads (nothing: not set).
    void (*set)(Tquickdex&, const std::optional<std::string>&);
    // An option's stored text as the program reads it: its canonical form,
    // or nothing for a value it does not know (or one that means "not set").
    std::optional<std::string> (*canonical)(const std::string&);
};

using Text = std::optional<std::string>;

Text Present(const char* text)
{
    return text ? Text(text) : std::nullopt;
}

Text NonEmpty(const std::string& text)
{
    return text.empty() ? std::nullopt : Text(text);
}

const std::array<KnownKey, 8> KnownKeys = {{
    {"Action", "", "target", [](const Tquickdex& b) -> Text { return b.Action; },
     [](Tquickdex& b, const Text& t) { b.Action = t.value_or(""); }, nullptr},
    {"Hint", "", "hint", [](const Tquickdex& b) -> Text { return b.Hint; },
     [](Tquickdex& b, const Text& t) { b.Hint = t.value_or(""); }, nullptr},
    {"Sort", DefaultSort, "category", [](const Tquickdex& b) -> Text { return b.Sort; },
     [](Tquickdex& b, const Text& t) { b.Sort = t.value_or(DefaultSort); }, nullptr},
    {IfRunningKey, nullptr, "choice", [](const Tquickdex& b) { return Present(IfRunningText(b.IfRunning)); },
     [](Tquickdex& b, const Text& t) { b.IfRunning = t ? *ParseIfRunning(*t) : IfRunningMode::Start; },
     [](const std::string& stored) {
         const auto mode = ParseIfRunning(stored);
         return mode ? Present(IfRunningText(*mode)) : std::nullopt;
     }},
    {ArgumentsKey, nullptr, "argument text", [](const Tquickdex& b) { return NonEmpty(b.Arguments); },
     [](Tquickdex& b, const Text& t) { b.Arguments = t.value_or(""); }, NonEmpty},
    {StartInKey, nullptr, "start-in folder", [](const Tquickdex& b) { return NonEmpty(b.StartIn); },
     [](Tquickdex& b, const Text& t) { b.StartIn = t.value_or(""); }, NonEmpty},
    {WindowKey, nullptr, "window", [](const Tquickdex& b) { return Present(WindowText(b.Window)); },
     [](Tquickdex& b, const Text& t) { b.Window = t ? *ParseWindow(*t) : WindowMode::Normal; },
     [](const std::string& stored) {
         const auto mode = ParseWindow(stored);
         return mode ? Present(WindowText(*mode)) : std::nullopt;
     }},
    {AdminKey, nullptr, "administrator", [](const Tquickdex& b) { return b.Admin ? Text("1") : std::nullopt; },
     [](Tquickdex& b, const Text& t) { b.Admin = t.has_value(); },
     [](const std::string& stored) { return stored == "1" ? Text("1") : std::nullopt; }},
}};

bool IsKnown(const std::string& name)
{
    return std::any_of(KnownKeys.begin(), KnownKeys.end(), [&](const KnownKey& k) { return EqualNoCase(name, k.key); });
}

// What a load makes of the line (null: no line of that key), as UTF-8.
std::optional<std::string> ReadAs(const KnownKey& known, const Line* line, const FileTextEncoder& file)
{
    const bool stored = line && line->value;
    if (known.fallback)
        return stored ? file.ValueAsRead(*line->value) : std::string(known.fallback);
    if (!stored)
        return std::nullopt;
    return known.canonical(file.ValueAsRead(*line->value));
}

std::optional<std::pair<int, int>> CombinationOf(const std::string& section)
{
    try {
        return std::make_pair(SplitSectionName(section, 1), SplitSectionName(section, 2));
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t sep = path.find_last_of("\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

// The section index of `id` in `doc`: its place when the name still stands
// there, else the one section of that name. Anything else means the file
// was changed meanwhile, and no guess is made.
std::size_t Locate(const IniDocument& doc, const BindingId& id, const std::string& path)
{
    const auto& sections = doc.Sections();
    const auto place = static_cast<std::size_t>(id.place);
    if (id.place > 0 && place < sections.size() && sections[place].name == id.section)
        return place;
    std::optional<std::size_t> found;
    for (std::size_t i = 1; i < sections.size(); ++i) {
        if (sections[i].name != id.section)
            continue;
        if (found)
            throw BindingChangedError(FileNameOf(path), id.section);
        found = i;
    }
    if (!found)
        throw BindingChangedError(FileNameOf(path), id.section);
    return *found;
}

// The file's text as edits go on: each edit gives a new text, parsed again,
// so that every edit sees the lines as they now stand. Sections are
// addressed by index, which edits inside a section and additions at the end
// leave as they are.
class Edits {
public:
    explicit Edits(std::string text) : doc_(std::move(text)) {}

    const IniDocument& Doc() const { return doc_; }
    const Section& At(std::size_t index) const { return doc_.Sections()[index]; }

    void Apply(std::optional<std::string> text)
    {
        if (text)
            doc_ = IniDocument(std::move(*text));
    }

private:
    IniDocument doc_;
};

} // namespace

std::string IgnoredBindingsText(const LoadResult& result)
{
    if (result.ignored == 0)
        return {};
    return std::string(HotkeyFileName) + " holds " + std::to_string(result.bindings) + " bindings; only the first " +
           std::to_string(MaxHotkeys) + " are used";
}

std::string ForeignSectionsText(const LoadResult& result)
{
    if (result.foreign.empty())
        return {};
    std::string names;
    const std::size_t shown = std::min<std::size_t>(result.foreign.size(), 3);
    for (std::size_t i = 0; i < shown; ++i)
        names += (i == 0 ? "[" : ", [") + result.foreign[i] + "]";
    if (result.foreign.size() > shown)
        names += " and " + std::to_string(result.foreign.size() - shown) + " more";
    return ConversionError(result.firstBadText).what() + std::string(".\r\n\r\n") + HotkeyFileName +
           (result.foreign.size() == 1 ? " has a section that is no binding: " + names + ". It stays"
                                       : " has sections that are no binding: " + names + ". They stay") +
           " in the file as written; every other binding is loaded.";
}

LoadResult HotkeyStore::Load(HotkeyTable& table, IRowSink& rows) const
{
    // The sink hears that the load is over however it ends.
    struct Done {
        IRowSink& rows;
        ~Done() { rows.RowsDone(); }
    } done{rows};

    const OwnedIni::Content content = ini_.Read();
    const FileTextEncoder file = ini_.EncoderFor(content.encoding);
    const IniDocument doc(content.text);
    const auto& sections = doc.Sections();

    LoadResult result;
    result.sections = static_cast<int>(sections.size()) - 1;
    int count = 0;
    for (std::size_t i = 1; i < sections.size(); ++i) {
        const Section& section = sections[i];
        int modifiers = 0;
        int key = 0;
        try {
            modifiers = SplitSectionName(section.name, 1);
            key = SplitSectionName(section.name, 2);
        } catch (const ConversionError& e) {
            // Not a binding: it stays in the file as it is, and the others
            // still load.
            if (result.foreign.empty())
                result.firstBadText = e.Text();
            result.foreign.push_back(section.name);
            continue;
        }
        ++result.bindings;
        // The table has 100 slots; bindings past the 100th stay in the file,
        // untouched, and are reported to the caller.
        if (count == MaxHotkeys)
            continue;
        Tquickdex& slot = table[++count];
        slot.Modifiers = modifiers;
        slot.Key = key;
        for (const KnownKey& known : KnownKeys)
            known.set(slot, ReadAs(known, doc.FindKey(section, known.key), file));
        table.SetIdOf(count, BindingId{static_cast<int>(i), section.name});
    }
    result.ignored = result.bindings - count;
    table.HotkeyCount = count;
    for (int i = 1; i <= count; ++i)
        rows.AddRow(i, table[i]);
    return result;
}

bool HotkeyStore::Write(const BindingId* replacing, const Tquickdex& binding) const
{
    if (binding.Key == 0)
        throw AppError("The binding has no key combination");
    return ini_.Save([&](const IniDocument& doc, const FileTextEncoder& file) {
        return Edited(doc, file, replacing, binding);
    });
}

std::optional<std::string> HotkeyStore::Edited(const IniDocument& doc, const FileTextEncoder& file,
                                               const BindingId* replacing, const Tquickdex& binding) const
{
    const std::string& before = doc.Text();
    Edits edits(before);
    const auto combination = std::make_pair(binding.Modifiers, binding.Key);

    const std::optional<std::size_t> own =
        replacing ? std::optional<std::size_t>(Locate(edits.Doc(), *replacing, Path())) : std::nullopt;
    // The section that takes the binding: its own while its combination
    // stays, else the first that holds the new one, whatever its spelling
    // ("02+65" holds Ctrl+A as well as "2+65" does).
    std::optional<std::size_t> target;
    if (own && CombinationOf(edits.At(*own).name) == combination)
        target = own;
    for (std::size_t i = 1; !target && i < edits.Doc().Sections().size(); ++i)
        if (i != own && CombinationOf(edits.At(i).name) == combination)
            target = i;
    const bool moving = own && target != own;
    // A copy: the old section's lines as they stood, for what moves along.
    const IniDocument old(before);
    const Section* from = moving ? &old.Sections()[*own] : nullptr;

    // The value to store for a key: the old section's text where it reads as
    // the record holds it (quotes, a tail beyond what a load reads), else
    // the record's.
    const auto stored = [&](const KnownKey& known, const std::string& wanted) {
        if (from) {
            const Line* line = old.FindKey(*from, known.key);
            if (line && line->value && ReadAs(known, line, file) == wanted)
                return *line->value;
        }
        if (Utf16Length(wanted) > MaxValueLength)
            throw ValueTooLongError(known.label);
        return file(wanted);
    };
    // Keys the program does not know go along with a moved binding, after
    // the ones it knows.
    std::vector<std::pair<std::string, std::string>> unknown;
    if (from) {
        for (std::size_t i = from->first; i < from->last; ++i) {
            const Line& line = old.Lines()[i];
            if (line.IsKey() && line.value && !TrimBoth(line.name).empty() && !IsKnown(line.name) &&
                std::none_of(unknown.begin(), unknown.end(), [&](const auto& u) { return EqualNoCase(u.first, line.name); }))
                unknown.emplace_back(line.name, *line.value);
        }
    }

    if (target) {
        for (const KnownKey& known : KnownKeys) {
            const std::optional<std::string> wanted = known.of(binding);
            if (ReadAs(known, edits.Doc().FindKey(edits.At(*target), known.key), file) == wanted)
                continue; // left as it stands
            if (!wanted)
                edits.Apply(edits.Doc().DeleteKey(edits.At(*target), known.key));
            else
                edits.Apply(edits.Doc().SetValue(edits.At(*target), known.key, stored(known, *wanted)));
        }
        for (const auto& [key, value] : unknown)
            if (!edits.Doc().FindKey(edits.At(*target), TrimBoth(key)))
                edits.Apply(edits.Doc().SetValue(edits.At(*target), key, value));
    } else {
        std::vector<std::pair<std::string, std::string>> keys;
        for (const KnownKey& known : KnownKeys)
            if (const std::optional<std::string> wanted = known.of(binding))
                keys.emplace_back(known.key, stored(known, *wanted));
        keys.insert(keys.end(), unknown.begin(), unknown.end());
        edits.Apply(edits.Doc().AppendSection(SectionName(binding.Modifiers, binding.Key), keys));
        target = edits.Doc().Sections().size() - 1;
    }

    // Where the binding stands once its old section is gone; past the
    // 100th binding it would be neither listed nor registered.
    int position = 0;
    int bindings = 0;
    for (std::size_t i = 1; i < old.Sections().size(); ++i)
        bindings += CombinationOf(old.Sections()[i].name).has_value();
    for (std::size_t i = 1; i <= *target; ++i)
        position += !(moving && i == *own) && CombinationOf(edits.At(i).name).has_value();
    if (position > MaxHotkeys)
        throw BindingOutOfReachError(FileNameOf(Path()), bindings, position);

    if (moving)
        edits.Apply(edits.Doc().EraseSection(edits.At(*own)));
    if (edits.Doc().Text() == before)
        return std::nullopt;
    return edits.Doc().Text();
}

void HotkeyStore::Erase(const BindingId& id) const
{
    ini_.Save([&](const IniDocument& doc, const FileTextEncoder&) -> std::optional<std::string> {
        return doc.EraseSection(doc.Sections()[Locate(doc, id, Path())]);
    });
}

} // namespace quickdex
