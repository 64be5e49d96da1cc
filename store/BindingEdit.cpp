#include "store/BindingEdit.h"

#include "store/KeyNames.h"

namespace quickdex {

BindingOutOfReachError::BindingOutOfReachError(const std::string& fileName, int bindings, int position)
    : AppError(fileName + " holds " + std::to_string(bindings) + " bindings and only the first " +
               std::to_string(MaxHotkeys) + " work: the changed binding would be number " +
               std::to_string(position) + " and would not work. Delete unused bindings first")
{
}

BindingChangedError::BindingChangedError(const std::string& fileName, const std::string& section)
    : AppError(fileName + " was changed outside quickdex: the binding [" + section +
               "] is no longer where the list showed it. Nothing was written; the list now shows the file as it is")
{
}

bool InputComplete(const BindingFields& fields)
{
    return SplitShortcut(fields.hotKey).key != 0 && !fields.path.empty();
}

std::string SectionForShortcut(std::uint16_t hotKey)
{
    const SplitShortcutResult split = SplitShortcut(hotKey);
    return SectionName(ShiftStateToModifiers(split.shift), split.key);
}

Tquickdex BindingFromFields(const BindingFields& fields, IfRunningMode ifRunning, const Tquickdex* loaded)
{
    Tquickdex binding = loaded ? *loaded : Tquickdex{};
    const bool keyUntouched =
        loaded && fields.hotKey == MakeShortcut(static_cast<std::uint16_t>(loaded->Key),
                                                ModifiersToShiftState(loaded->Modifiers));
    if (!keyUntouched) {
        const SplitShortcutResult split = SplitShortcut(fields.hotKey);
        binding.Modifiers = ShiftStateToModifiers(split.shift);
        binding.Key = split.key;
    }
    binding.Action = fields.path;
    binding.Hint = fields.hint;
    binding.Sort = fields.sort;
    binding.IfRunning = ifRunning;
    binding.Arguments = fields.arguments;
    binding.StartIn = fields.startIn;
    binding.Window = fields.window;
    binding.Admin = fields.admin;
    return binding;
}

} // namespace quickdex
