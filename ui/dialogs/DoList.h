#pragma once
// The action chooser: a fixed tree of programs, built-in actions and address
// prefixes; accepting a leaf fills the hotkey editor's target and hint.
#include "ui/Application.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Window.h"

#include <memory>
#include <string>

#include <commctrl.h>

namespace quickdex {

class TDoList_Form final : public win32::Form {
public:
    // The chooser reaches into the editor through its window (enabled while
    // the chooser is closed) and its target and hint fields.
    TDoList_Form(TApplication& application, HWND editor, HWND pathEdit, HWND hintEdit);

    bool IsLeafSelected() const;
    std::string SelectionPathText() const;
    std::string SelectionTarget() const;

    void OK_BitBtnClick();
    void C_BitBtnClick();
    void M_TreeViewDblClick();

    HWND TreeView() const { return tree_; }
    // The node "Group" or "Group->Leaf", for whoever drives the chooser.
    HTREEITEM FindNode(const std::string& path) const;

protected:
    // The tree is filled on the first showing.
    void FormFirstShow() override { BuildTree(); }
    void FormDpiChanged(int dpi) override;
    void OnOK() override { OK_BitBtnClick(); }
    void OnCancel() override { C_BitBtnClick(); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildTree();
    // The leaves' pictures drawn for `dpi`.
    void ShowPictures(int dpi);
    void SelectClickedPicture();
    std::string LabelOf(HTREEITEM node) const;
    HTREEITEM Selected() const { return TreeView_GetSelection(tree_); }

    TApplication& app_;
    HWND pathEdit_;
    HWND hintEdit_;
    HWND tree_ = nullptr;
    win32::ImageListHandle images_;
};

} // namespace quickdex
