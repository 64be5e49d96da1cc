#pragma once
// Answers the message boxes this process shows, from a thread of its own, and
// keeps what they said: the program's boxes are real and modal, so a test
// cannot click them from the thread that waits in them.
#include <atomic>
#include <map>
#include <chrono>
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
    std::vector<SeenBox> Boxes() const
    {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

private:
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
                SeenBox seen{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), GetDlgItem(box, IDCANCEL) != nullptr};
                // A box may be seen before its text is in: look again next round.
                if (seen.text.empty() && ++emptyLooks[box] < 25)
                    continue;
                {
                    std::lock_guard lock(mutex_);
                    boxes_.push_back(seen);
                }
                answered.insert(box);
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
    std::thread thread_;
};

} // namespace quickdex::test
