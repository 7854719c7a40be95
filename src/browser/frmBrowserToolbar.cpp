// The toolbar's picture buttons, the strip under them and the intro.
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "basics/TextEncoding.h"
#include "browser/PictureBox.h"
#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "widgets/ChameleonButton.h"

namespace browser {

namespace {
constexpr const char* kTitle = "Lanternwick";
constexpr widgets::Color kVisitGreen = 65280;
}  // namespace

void frmBrowser::Swap(PictureBox* hide, PictureBox* show) {
    hide->Hide();
    show->Show();
}

void frmBrowser::PicPrev_MouseMove() {
    Swap(PicPrev, PicPrev2);
}
void frmBrowser::PicNext_MouseMove() {
    Swap(PicNext, PicNext2);
}
void frmBrowser::PicRefresh_MouseMove() {
    Swap(PicRefresh, Picrefresh2);
}
void frmBrowser::PicStop_MouseMove() {
    Swap(PicStop, Picstop2);
}
void frmBrowser::PicHome_MouseMove() {
    Swap(PicHome, PicHome2);
}
void frmBrowser::Picparent_MouseMove() {
    Swap(Picparent, Picparent2);
}

void frmBrowser::imgbackground_MouseMove() {
    Swap(PicPrev2, PicPrev);
    Swap(PicNext2, PicNext);
    Swap(Picstop2, PicStop);
    Swap(Picrefresh2, PicRefresh);
    Swap(PicHome2, PicHome);
    Swap(Picparent2, Picparent);
}

void frmBrowser::Text3_MouseMove() {
    cmdvisit->SetBackColor(kVisitGreen);
    cmdvisit->SetCaption(VisitCaption());
}

void frmBrowser::PicPrev2_MouseDown() {
    Swap(PicPrev, PicPrev2);
}

void frmBrowser::PicPrev2_Click() {
    if (TimeIsUp()) {
        Swap(PicPrev2, PicPrev);
        return;
    }
    if (!web_->GoBack()) {
        context_.Machine().messages.Show("YOU CANNOT GO BACK", kTitle,
                                         platform::Messages::Icon::Information);
    }
    Swap(PicPrev2, PicPrev);
}

void frmBrowser::PicNext2_Click() {
    if (TimeIsUp()) {
        Swap(PicNext2, PicNext);
        return;
    }
    if (!web_->GoForward()) {
        context_.Machine().messages.Show("YOU CANNOT GO FORWARD", kTitle,
                                         platform::Messages::Icon::Information);
    }
    Swap(PicNext2, PicNext);
}

void frmBrowser::Picrefresh2_Click() {
    if (TimeIsUp()) {
        Swap(Picrefresh2, PicRefresh);
        return;
    }
    try {
        web_->Refresh();
    } catch (...) {
        // Nothing a child could act on: the page simply stays as it is.
    }
    Swap(Picrefresh2, PicRefresh);
}

void frmBrowser::Picstop2_Click() {
    try {
        web_->Stop();
    } catch (...) {
    }
    Swap(Picstop2, PicStop);
}

void frmBrowser::PicHome2_Click() {
    cboURL->SetValue(wxString::FromUTF8(basics::TrimSpaces(Text4->GetValue().utf8_string())));
    cboURL_Click();
    Swap(PicHome2, PicHome);
}

void frmBrowser::Picparent2_Click() {
    Swap(Picparent2, Picparent);
    context_.Parents().ShowLogin();
}

void frmBrowser::TmrIntro_Timer() {
    web_->Control()->Show();
    // Covered by the page they would still show beside and below it in a smaller window.
    Imglogo->Hide();
    Imglink->Hide();
    TmrIntro.Stop();
    cmdvisit->SetEnabled(true);
}

}  // namespace browser
