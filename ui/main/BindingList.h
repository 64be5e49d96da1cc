#pragma once
// The main window's list of bindings: a list view in report view with the
// columns "HotKey", "Applicaton/Action" and "Sort", one row per slot. Each
// row carries its slot number in its item data (a state index has only four
// bits, too few for 100 slots), and every way from a row to its binding goes
// through that number, never through the row's position.
#include "platform/win32/Handles.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace quickdex {

class TBindingList {
public:
    // Creates the list view as a child of `parent` (pixels at 96 dpi).
    TBindingList(HWND parent, int id, int x, int y, int width, int height);

    HWND Handle() const { return list_; }

    // Rebuilding: no drawing, scrolling or layout until Done.
    void Clear();
    void Add(int slot, const std::string& caption, const std::string& action, const std::string& sort);
    void Done();

    int RowCount() const;
    int SlotOfRow(int row) const; // 0: no such row
    int SelectedRow() const;      // -1: none
    int SelectedSlot() const;     // 0: none
    std::string Text(int row, int column) const;

    // Sorts the rows by a comparison of their slots.
    void Sort(const std::function<int(int slot1, int slot2)>& compare);

    // Answers the list's request for a row's info tip (LVN_GETINFOTIPA/W)
    // with the text `tipOfRow` gives; false for any other notification.
    bool AnswerInfoTip(const NMHDR& header, const std::function<std::string(int row)>& tipOfRow) const;

    // A state picture (1-based index into the strip; 0 none) for a row,
    // read by anyone through LVM_GETITEMSTATE. The strips are drawn at
    // several sizes; the list shows the one nearest its DPI.
    void SetStateImages(std::span<const win32::DrawnStrip> drawn);
    // Lays the columns and marks out again for the window's new DPI.
    void SetDpi(int dpi);
    void SetRowState(int row, int stateImage);

    // No drawing while the returned guard lives, one repaint when it goes:
    // marking every row draws the list once, not once a row.
    class RedrawPause {
    public:
        explicit RedrawPause(HWND list);
        ~RedrawPause();
        RedrawPause(const RedrawPause&) = delete;
        RedrawPause& operator=(const RedrawPause&) = delete;

    private:
        HWND list_;
    };
    [[nodiscard]] RedrawPause PauseRedraw() const { return RedrawPause(list_); }

    // Widths at 96 dpi: the caption column as laid out, the room around a
    // caption beside its mark, and the least the target column keeps.
    static constexpr int CaptionColumnWidth = 100;
    static constexpr int CaptionPadding = 14;
    static constexpr int MinTargetColumnWidth = 80;

private:
    void FitCaptions();
    // The marks' strip of the size for the list's DPI.
    void LoadMarks();

    HWND list_ = nullptr;
    int dpi_;
    std::vector<win32::DrawnStrip> marks_;
    win32::ImageListHandle states_;
};

} // namespace quickdex
