#pragma once
// Answers the message boxes this process shows, from a thread of its own, and
// keeps what they said: the program's boxes are real and modal, so a test
// cannot click them from the thread that waits in them.
#include <atomic>
#include <map>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace quickdex::test {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    bool hasCancel = false;
    HWND owner = nullptr;      // the window it stands above
    bool ownerEnabled = true;  // whether that window took input meanwhile
    std::string icon;          // "error", "information", "question", "warning" or "none"
};

class DialogAnswerer {
public:
    // `answer` is IDOK or IDCANCEL; a box without Cancel is always answered OK.
    explicit DialogAnswerer(int answer = IDOK) : answer_(answer), thread_([this] { Run(); }) {}
    ~DialogAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void SetAnswer(int answer) { answer_ = answer; }
    // Instead of answering a box, does this (from the answerer's thread) and
    // leaves the box to whoever closes it.
    void SetInstead(std::function<void(HWND box)> instead)
    {
        std::lock_guard lock(mutex_);
        instead_ = std::move(instead);
    }
    std::vector<SeenBox> Boxes() const
    {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

private:
    // Which of the system's icons the box shows: its icon control holds the
    // shared icon the system loaded for the style.
    static std::string IconOf(HWND box)
    {
        struct Search {
            HICON icon = nullptr;
        } search;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM param) -> BOOL {
                if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child))
                    return TRUE;
                reinterpret_cast<Search*>(param)->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        const HICON icon = search.icon;
        if (!icon)
            return "none";
        if (icon == LoadIcon(nullptr, IDI_HAND))
            return "error";
        if (icon == LoadIcon(nullptr, IDI_ASTERISK))
            return "information";
        if (icon == LoadIcon(nullptr, IDI_QUESTION))
            return "question";
        if (icon == LoadIcon(nullptr, IDI_EXCLAMATION))
            return "warning";
        return "other";
    }

    static std::wstring TextOf(HWND window)
    {
        wchar_t buffer[4096] = {};
        GetWindowTextW(window, buffer, 4096);
        return buffer;
    }

    void Run()
    {
        std::set<HWND> answered;
        std::map<HWND, int> emptyLooks;
        while (!stop_) {
            std::vector<HWND> boxes;
            EnumWindows(
                [](HWND hwnd, LPARAM param) -> BOOL {
                    DWORD process = 0;
                    GetWindowThreadProcessId(hwnd, &process);
                    char name[32] = {};
                    GetClassNameA(hwnd, name, sizeof name);
                    if (process == GetCurrentProcessId() && std::string(name) == "#32770" && IsWindowVisible(hwnd))
                        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&boxes));
            for (HWND box : boxes) {
                if (answered.count(box))
                    continue;
                HWND owner = GetWindow(box, GW_OWNER);
                SeenBox seen{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), GetDlgItem(box, IDCANCEL) != nullptr,
                             owner, owner ? IsWindowEnabled(owner) != FALSE : true, IconOf(box)};
                // A box may be seen before its text is in: look again next round.
                if (seen.text.empty() && ++emptyLooks[box] < 25)
                    continue;
                std::function<void(HWND)> instead;
                {
                    std::lock_guard lock(mutex_);
                    boxes_.push_back(seen);
                    instead = instead_;
                }
                answered.insert(box);
                if (instead)
                    instead(box);
                else
                    PostMessageW(box, WM_COMMAND, seen.hasCancel ? answer_.load() : IDOK, 0);
            }
            answered = std::set<HWND>(boxes.begin(), boxes.end()); // forget the boxes that are gone
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::atomic<int> answer_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::function<void(HWND)> instead_;
    std::thread thread_;
};

} // namespace quickdex::test
