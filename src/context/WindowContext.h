#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "family/FamilyModel.h"
#include "i18n/CaptionTables.h"
#include "platform/Platform.h"

class wxTopLevelWindow;

namespace context {

// What the parents' side asks of the child's window.
class ChildWindow {
public:
    virtual ~ChildWindow() = default;
    // Opens `address` at once, through the same checks as any address the child opens, with the
    // site panel closed so nothing floats over the page.
    virtual void OpenAddress(const std::string& address) = 0;
    // Opens the program's own help page, which the switch never refuses; a parent who asked for
    // it gets it over the time cover too.
    virtual void OpenHelp() = 0;
    // Where the child's window shows the refusal page, the refused address is tried again: a
    // parent has just allowed a site, and the child need not find the link again.
    virtual void TryRefusedAgain() = 0;
    // Closes the child's window as its close button does, which ends the program.
    virtual void EndRun() = 0;
};

// What the child's window asks of the parents' side.
class ParentsSide {
public:
    virtual ~ParentsSide() = default;
    // The login, from the toolbar's parents button.
    virtual void ShowLogin() = 0;
    // The login for a refused address: after a right login the site editor opens with it.
    virtual void AskFor(const std::string& refusedAddress) = 0;
    // Whether the panel or the time editor is on screen: while it is, the time cover stays.
    virtual bool ParentIsThere() const = 0;
};

// What every window is given: the machine's seams, the family's settings (the only way to the
// data files), the run's language, and the other side of the program as far as a window may
// reach it. The owner of the windows gives it; no window reaches another window's controls
// through it.
class WindowContext {
public:
    virtual ~WindowContext() = default;

    virtual platform::Platform& Machine() = 0;
    virtual family::FamilyModel& Family() = 0;

    // The language the tables gave the windows at start; none: their built-in texts.
    virtual std::optional<i18n::Language> Language() const = 0;
    std::string Text(i18n::Message message, std::initializer_list<std::string_view> values = {}) {
        return i18n::MessageText(Language(), message, values);
    }
    // The one wording of a failed save, so every window reports it alike.
    void ShowWriteFailure(const std::string& file, const std::string& reason) {
        Machine().messages.Show(Text(i18n::Message::SaveFailed, {Family().PathOf(file), reason}),
                                "Lanternwick", platform::Messages::Icon::Information);
    }

    virtual ChildWindow& Child() = 0;
    virtual ParentsSide& Parents() = 0;

    // The language file's choice put into every window (at the start of the child's window).
    virtual std::optional<i18n::Language> ApplyLanguage() = 0;
    // Whether the program is the child's whole session (started by the family session's
    // launcher): full screen, and ended only by a parent.
    virtual bool WholeSession() const = 0;
    // The language step of "Log out and save" for the parent's choice in the family model;
    // false when the language file could not be written.
    virtual bool SaveLanguageChoice() = 0;
    // The close steps of the child's window: every other window is hidden and closed.
    virtual void CloseOtherWindows(wxTopLevelWindow* self) = 0;
};

}  // namespace context
