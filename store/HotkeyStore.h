#pragma once
// The one owner of hotkey.ini. A load reads the file in one pass into the
// table; a write puts one binding into the file whole, or erases one, in a
// single replace of the file, so that a save lands whole or not at all.
// Bindings are addressed by their identity (BindingId), never by the text
// of a combination.
//
// The file is read and written by our own parser on every system, not by
// the system's profile calls: those can reach only the first of two
// sections of one name, do not know a UTF-8 byte-order mark on Windows (the
// first section's name then starts with the mark's bytes), write one key at
// a time with no way back, and cost a round trip per value. The profile
// calls stay the reference our parser is held to (the differential tests).
#include "platform/Files.h"
#include "store/Hotkeys.h"
#include "store/OwnedIni.h"

#include <string>

namespace quickdex {

// What a load has to tell the user, empty when nothing: the bindings past
// the 100th, and the sections that are no binding (the text of the error a
// failed section name gives, then which sections they are).
std::string IgnoredBindingsText(const LoadResult& result);
std::string ForeignSectionsText(const LoadResult& result);

class HotkeyStore {
public:
    // `path` is ExeDir + "hotkey.ini".
    HotkeyStore(IFiles& files, std::string path) : ini_(files, std::move(path)) {}

    const std::string& Path() const { return ini_.Path(); }

    // Fills slots 1..n and HotkeyCount with the bindings in file order, then
    // hands each slot to `rows` (also when the load fails). Sections whose
    // names are no combination are skipped and reported, not fatal. A missing
    // file is an empty one. The caller clears the table first.
    LoadResult Load(HotkeyTable& table, IRowSink& rows) const;

    // Writes `binding` whole. `replacing` is the binding the editor was
    // opened for (a change), or null (an add). The binding lands in the
    // section that holds its combination already (its own, or another
    // binding's, whose values it replaces in place), or in a new section at
    // the end of the file; a change onto another section erases its own.
    // Every key the editor shows or chooses is written, so nothing of a
    // replaced binding's behaviour survives; keys the program does not know
    // stay. A value that reads back as the record holds it is left as it
    // stands (its quotes, a tail beyond what a load reads).
    // Throws ValueTooLongError, BindingOutOfReachError or BindingChangedError
    // before anything is written, and WriteError when the file refuses; the
    // file then keeps every byte. Returns whether the file became UTF-16 to
    // keep a text the code page has no place for (its old bytes are kept as
    // hotkey.ini.bak).
    bool Write(const BindingId* replacing, const Tquickdex& binding) const;

    // Erases exactly the section of `id`; the comments and blank lines after
    // its last key stay. Throws BindingChangedError or WriteError.
    void Erase(const BindingId& id) const;

private:
    std::optional<std::string> Edited(const IniDocument& doc, const FileTextEncoder& file, const BindingId* replacing,
                                      const Tquickdex& binding) const;

    OwnedIni ini_;
};

} // namespace quickdex
