#pragma once

#include <optional>
#include <string>

#include "basics/Clock.h"
#include "engine/WebView.h"

namespace platform {

// Message boxes: always one OK button; the information icon or none.
class Messages {
public:
    enum class Icon { None, Information };
    virtual ~Messages() = default;
    // Waits until the user has closed the box.
    virtual void Show(const std::string& text, const std::string& title, Icon icon) = 0;

    // A question with three buttons, the last of which leaves everything as it was (Escape and
    // the title bar's close answer it too). Waits for the answer.
    enum class Answer { First, Second, Cancel };
    struct Choices {
        std::string first;
        std::string second;
        std::string cancel;
    };
    virtual Answer Ask(const std::string& text, const std::string& title,
                       const Choices& choices) = 0;
};

// Ends the process at once: no close handler and no other code runs after it.
class ProcessEnder {
public:
    virtual ~ProcessEnder() = default;
    virtual void EndNow() = 0;
    // The code EndNow ends the process with. The family session's launcher starts the program
    // again after any end but kSessionEnds, which only a parent's "End the child's session" gives.
    static constexpr int kSessionEnds = 77;
    void EndWithCode(int code) { code_ = code; }
    int Code() const { return code_; }

protected:
    int code_ = 0;
};

// Starts a new copy of this program, from its own folder with the arguments this run was
// given, so a parent who saved settings that need a restart is not left without a browser.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Whether the new copy is running.
    virtual bool StartAgain() = 0;
};

// Reads a text aloud for a child who cannot read it. Say returns at once and shows nothing; a
// new text cuts off one still being read, so a child moving along the buttons hears the last
// one. Without a speech engine or a sound device nothing is heard and nothing else happens.
class Speech {
public:
    virtual ~Speech() = default;
    // `language` is the text's language code ("nl", "en"); none means English.
    virtual void Say(const std::string& text, std::optional<std::string> language) = 0;
};

// The seams between the windows and the machine they run on.
struct Platform {
    Messages& messages;
    ProcessEnder& ender;
    ProgramStarter& starter;
    basics::Clock& clock;
    engine::WebViewFactory& webViews;
    Speech& speech;
};

}  // namespace platform
