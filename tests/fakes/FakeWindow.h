#pragma once
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "platform/WindowServices.h"

// A recording stand-in for the form: control texts and states, a scripted message box and
// file dialog, and the timer's period.
class FakeWindow : public WindowServices {
public:
    struct Box {
        Text text;
        std::uint32_t style;
        Text caption;
    };
    struct ProgramEnded {
        int exitCode;
    };

    std::map<Control, Text> texts;
    std::map<Control, bool> disabled;
    std::vector<std::pair<Control, Text>> textWrites;
    std::vector<std::pair<Control, bool>> disableWrites;
    Text drive = "E";
    std::function<Text()> driveSource;  // when set, answers GetCurrentDrive instead of drive
    int driveReads = 0;
    int timerPeriod = 0;
    int timerRestarts = 0;
    std::deque<int> boxAnswers;  // results of the next boxes; 0 when none is queued
    std::vector<Box> boxes;
    std::deque<Text> dialogChoices;  // the next dialogs' confirmed paths; "" cancels
    Text dialogFileName;
    std::vector<Text> dialogInitialNames;
    WindowHandle handle = 0x1234;

    void SetControlDisabled(Control control, bool isDisabled) override {
        disabled[control] = isDisabled;
        disableWrites.emplace_back(control, isDisabled);
    }
    void SetControlText(Control control, const Text& text) override {
        texts[control] = text;
        textWrites.emplace_back(control, text);
    }
    Text GetControlText(Control control) override { return texts[control]; }
    Text GetCurrentDrive() override {
        ++driveReads;
        return driveSource ? driveSource() : drive;
    }
    void SetTimerPeriod(int milliseconds) override {
        if (milliseconds < 0) milliseconds = 0;
        if (milliseconds == timerPeriod) return;
        timerPeriod = milliseconds;
        if (milliseconds > 0) ++timerRestarts;
    }
    int GetTimerPeriod() override { return timerPeriod; }
    bool ShowOpenDialog() override {
        dialogInitialNames.push_back(dialogFileName);
        if (dialogChoices.empty()) return false;
        const Text choice = dialogChoices.front();
        dialogChoices.pop_front();
        if (choice.empty()) return false;
        dialogFileName = choice;
        return true;
    }
    Text GetDialogFileName() override { return dialogFileName; }
    int ShowMessageBox(const Text& text, std::uint32_t style, const Text& caption) override {
        boxes.push_back({text, style, caption});
        if (boxAnswers.empty()) return MessageResult::Ok;
        const int answer = boxAnswers.front();
        boxAnswers.pop_front();
        return answer;
    }
    WindowHandle GetWindowHandle(Control) override { return handle; }
    [[noreturn]] void EndProgram(int exitCode) override { throw ProgramEnded{exitCode}; }
};
