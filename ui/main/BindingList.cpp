#include "ui/main/BindingList.h"

#include "platform/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace quickdex {
namespace {

struct Column {
    const char* caption;
    int width; // at 96 dpi
};
constexpr std::array<Column, 3> columns = {
    {{"HotKey", TBindingList::CaptionColumnWidth}, {"Applicaton/Action", 200}, {"Sort", 80}}};

} // namespace

TBindingList::TBindingList(HWND parent, int id, int x, int y, int width, int height) : dpi_(win32::ScreenDpi())
{
    const win32::ControlSpec control{id, WC_LISTVIEWA, "", x, y, width, height,
                                  WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                      LVS_SHAREIMAGELISTS}; // the marks' pictures are states_'s to destroy
    win32::CreateControls(parent, {&control, 1});
    list_ = GetDlgItem(parent, id);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[static_cast<std::size_t>(i)].caption);
        column.cx = win32::Scale(columns[static_cast<std::size_t>(i)].width, dpi_);
        column.iSubItem = i;
        SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void TBindingList::Clear()
{
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
}

void TBindingList::Add(int slot, const std::string& caption, const std::string& action, const std::string& sort)
{
    std::wstring text = win32::Wide(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = text.data();
    item.lParam = slot;
    const int row = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string* texts[] = {&action, &sort};
    for (int column = 1; column <= 2; ++column) {
        text = win32::Wide(*texts[column - 1]);
        LVITEMW sub{};
        sub.iSubItem = column;
        sub.pszText = text.data();
        SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

void TBindingList::Done()
{
    FitCaptions();
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void TBindingList::FitCaptions()
{
    // The caption column is as wide as its widest caption with the row's
    // mark before it (and never narrower than it was laid out), so that
    // "Ctrl + Shift + Alt + Scroll Lock" reads whole. The width comes from
    // the target column, so the window keeps its size.
    int stateWidth = 0;
    int stateHeight = 0;
    if (states_)
        ImageList_GetIconSize(states_.get(), &stateWidth, &stateHeight);
    int needed = win32::Scale(CaptionColumnWidth, dpi_);
    for (int row = 0, n = RowCount(); row < n; ++row) {
        const std::string caption = Text(row, 0);
        const int text = static_cast<int>(SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0,
                                                       reinterpret_cast<LPARAM>(win32::Wide(caption).c_str())));
        needed = std::max(needed, text + stateWidth + win32::Scale(CaptionPadding, dpi_));
    }
    const int captions = ListView_GetColumnWidth(list_, 0);
    const int targets = ListView_GetColumnWidth(list_, 1);
    const int total = captions + targets;
    const int width = std::min(needed, total - win32::Scale(MinTargetColumnWidth, dpi_));
    if (width == captions)
        return;
    ListView_SetColumnWidth(list_, 0, width);
    ListView_SetColumnWidth(list_, 1, total - width);
}

int TBindingList::RowCount() const
{
    return ListView_GetItemCount(list_);
}

int TBindingList::SlotOfRow(int row) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<int>(item.lParam);
}

int TBindingList::SelectedRow() const
{
    return ListView_GetNextItem(list_, -1, LVNI_SELECTED);
}

int TBindingList::SelectedSlot() const
{
    const int row = SelectedRow();
    return row < 0 ? 0 : SlotOfRow(row);
}

std::string TBindingList::Text(int row, int column) const
{
    // A value is at most 2,047 characters; the buffer leaves room to spare.
    std::vector<wchar_t> buffer(4096, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return win32::Utf8(buffer.data());
}

void TBindingList::Sort(const std::function<int(int, int)>& compare)
{
    ListView_SortItems(
        list_,
        [](LPARAM first, LPARAM second, LPARAM how) -> int {
            return (*reinterpret_cast<const std::function<int(int, int)>*>(how))(static_cast<int>(first),
                                                                               static_cast<int>(second));
        },
        reinterpret_cast<LPARAM>(&compare));
}

bool TBindingList::AnswerInfoTip(const NMHDR& header, const std::function<std::string(int)>& tipOfRow) const
{
    if (header.hwndFrom != list_)
        return false;
    if (header.code == LVN_GETINFOTIPA) {
        auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
        const std::string text = tipOfRow(tip.iItem);
        if (tip.pszText && tip.cchTextMax > 0) {
            const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
            std::memcpy(tip.pszText, text.data(), n);
            tip.pszText[n] = '\0';
        }
        return true;
    }
    if (header.code == LVN_GETINFOTIPW) {
        auto& tip = const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header));
        const std::wstring text = win32::Wide(tipOfRow(tip.iItem));
        if (tip.pszText && tip.cchTextMax > 0) {
            const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
            std::wmemcpy(tip.pszText, text.data(), n);
            tip.pszText[n] = L'\0';
        }
        return true;
    }
    return false;
}

void TBindingList::SetStateImages(std::span<const win32::DrawnStrip> drawn)
{
    marks_.assign(drawn.begin(), drawn.end());
    LoadMarks();
}

void TBindingList::LoadMarks()
{
    // The list shares its image lists (LVS_SHAREIMAGELISTS): the old one is
    // destroyed here, once the list holds the new one.
    win32::ImageListHandle states = win32::LoadImageStrip(marks_, dpi_);
    ListView_SetImageList(list_, states.get(), LVSIL_STATE);
    states_ = std::move(states);
}

void TBindingList::SetDpi(int dpi)
{
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    // The columns as laid out for this DPI; the captions' column widened
    // again for its widest caption.
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        ListView_SetColumnWidth(list_, i, win32::Scale(columns[static_cast<std::size_t>(i)].width, dpi_));
    if (!marks_.empty())
        LoadMarks();
    FitCaptions();
}

void TBindingList::SetRowState(int row, int stateImage)
{
    ListView_SetItemState(list_, row, INDEXTOSTATEIMAGEMASK(stateImage), LVIS_STATEIMAGEMASK);
}

TBindingList::RedrawPause::RedrawPause(HWND list) : list_(list)
{
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

TBindingList::RedrawPause::~RedrawPause()
{
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

} // namespace quickdex
