#include "ui/dialogs/DoList.h"

#include "../../res/resource.h"
#include "ui/dialogs/ChooserTable.h"
#include "ui/main/main.h"

#include <array>

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

namespace quickdex {
namespace {

constexpr int IdTree = 401;

constexpr const char* SelectNotice = "Please selecte correct item";

// The leaves' pictures, a strip of 17 at each size they are drawn at.
constexpr std::array<win32::DrawnStrip, 4> ChooserPictures = {
    {{16, IDB_CHOOSER}, {20, IDB_CHOOSER20}, {24, IDB_CHOOSER24}, {32, IDB_CHOOSER32}}};

} // namespace

TDoList_Form::TDoList_Form(TApplication& application, HWND editor, HWND pathEdit, HWND hintEdit)
    : app_(application), pathEdit_(pathEdit), hintEdit_(hintEdit)
{
    CreateForm({.className = "TDoList_Form",
                .caption = "Action",
                .clientWidth = 269,
                .clientHeight = 433,
                .owner = application.Handle()});
    SetOpener(editor);
    static constexpr win32::ControlSpec tree{IdTree, WC_TREEVIEWA, "", 0, 0, 269, 392,
                                             WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                                 TVS_SHOWSELALWAYS,
                                             WS_EX_CLIENTEDGE};
    win32::CreateControls(Handle(), {&tree, 1});
    tree_ = Item(IdTree);
    HWND panel = AddPanel(0, 0, 392, 269, 41);
    static constexpr std::array buttons = {
        win32::ControlSpec{IDOK, WC_BUTTONA, "OK", 96, 8, 75, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IDCANCEL, WC_BUTTONA, "Cancel", 184, 8, 75, 25, WS_TABSTOP | BS_PUSHBUTTON},
    };
    win32::CreateControls(panel, buttons);
}

void TDoList_Form::FormDpiChanged(int dpi)
{
    TreeView_SetIndent(tree_, win32::Scale(19, dpi));
    if (images_) // the first showing gives the tree its pictures
        ShowPictures(dpi);
}

void TDoList_Form::ShowPictures(int dpi)
{
    // The tree does not own its image lists: the old one is destroyed once it
    // holds the new one.
    win32::ImageListHandle images = win32::LoadImageStrip(ChooserPictures, dpi);
    TreeView_SetImageList(tree_, images.get(), TVSIL_STATE);
    images_ = std::move(images);
    // The tree makes its rows as high as their text, whatever their state
    // pictures: at least as high as a picture, so that none overlaps the
    // next row's (at 96 dpi the text's height is the picture's).
    int size = 0;
    ImageList_GetIconSize(images_.get(), &size, &size);
    TreeView_SetItemHeight(tree_, -1); // the height for the font
    if (TreeView_GetItemHeight(tree_) < size)
        TreeView_SetItemHeight(tree_, size);
}

void TDoList_Form::BuildTree()
{
    TreeView_SetIndent(tree_, win32::Scale(19, Dpi()));
    ShowPictures(Dpi());

    for (const ChooserGroup& group : ChooserTree) {
        const std::string groupLabel(group.label);
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(groupLabel.c_str());
        HTREEITEM parent = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        for (const ChooserLeaf& leaf : group.leaves) {
            if (leaf.label.empty())
                continue;
            const std::string label(leaf.label);
            TVINSERTSTRUCTA child{};
            child.hParent = parent;
            child.hInsertAfter = TVI_LAST;
            child.item.mask = TVIF_TEXT | TVIF_STATE;
            child.item.pszText = const_cast<char*>(label.c_str());
            child.item.state = INDEXTOSTATEIMAGEMASK(leaf.image);
            child.item.stateMask = TVIS_STATEIMAGEMASK;
            SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&child));
        }
    }
}

std::string TDoList_Form::LabelOf(HTREEITEM node) const
{
    char text[256] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool TDoList_Form::IsLeafSelected() const
{
    HTREEITEM node = Selected();
    return node && !TreeView_GetChild(tree_, node);
}

std::string TDoList_Form::SelectionPathText() const
{
    HTREEITEM node = Selected();
    std::string text;
    for (HTREEITEM parent; node && (parent = TreeView_GetParent(tree_, node)) != nullptr; node = parent)
        text = "->" + LabelOf(node) + text;
    return node ? LabelOf(node) + text : text;
}

std::string TDoList_Form::SelectionTarget() const
{
    return SelectionTargetFor(LabelOf(Selected()));
}

HTREEITEM TDoList_Form::FindNode(const std::string& path) const
{
    const auto arrow = path.find("->");
    const std::string groupLabel = path.substr(0, arrow);
    for (HTREEITEM group = TreeView_GetRoot(tree_); group; group = TreeView_GetNextSibling(tree_, group)) {
        if (LabelOf(group) != groupLabel)
            continue;
        if (arrow == std::string::npos)
            return group;
        for (HTREEITEM leaf = TreeView_GetChild(tree_, group); leaf; leaf = TreeView_GetNextSibling(tree_, leaf))
            if (LabelOf(leaf) == path.substr(arrow + 2))
                return leaf;
    }
    return nullptr;
}

void TDoList_Form::OK_BitBtnClick()
{
    if (!IsLeafSelected()) {
        app_.Box(Handle(), SelectNotice, MainWindowCaption, MB_ICONINFORMATION | MB_OK);
        return;
    }
    win32::SetWindowTextUtf8(pathEdit_, SelectionTarget());
    win32::SetWindowTextUtf8(hintEdit_, SelectionPathText());
    Close();
}

void TDoList_Form::C_BitBtnClick()
{
    Close();
}

void TDoList_Form::SelectClickedPicture()
{
    // A leaf's picture is its state image, and Wine's tree selects an item
    // clicked on its name or icon but not on its state image: the click
    // marked the leaf and left the selection where it was, so OK took the
    // old one. A click on the picture selects the leaf, as on Windows.
    // Where the button went down, and where the pointer is: the message's
    // own position can be an older one when the click came in a burst.
    const DWORD at = GetMessagePos();
    POINT points[2] = {{GET_X_LPARAM(at), GET_Y_LPARAM(at)}, {}};
    GetCursorPos(&points[1]);
    for (POINT point : points) {
        TVHITTESTINFO hit{};
        hit.pt = point;
        ScreenToClient(tree_, &hit.pt);
        if (TreeView_HitTest(tree_, &hit) && (hit.flags & TVHT_ONITEMSTATEICON)) {
            TreeView_SelectItem(tree_, hit.hItem);
            return;
        }
    }
}

void TDoList_Form::M_TreeViewDblClick()
{
    // The selection counts, not the point clicked.
    if (IsLeafSelected())
        OK_BitBtnClick();
}

LRESULT TDoList_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == tree_ && header->code == NM_CLICK)
            SelectClickedPicture();
        // A click that follows another quickly is a double click: on a
        // leaf's picture it selects the leaf first, as a single one does.
        if (header->hwndFrom == tree_ && header->code == NM_DBLCLK) {
            SelectClickedPicture();
            M_TreeViewDblClick();
        }
        return 0;
    }
    default:
        return Form::HandleMessage(message, wParam, lParam);
    }
}

} // namespace quickdex
