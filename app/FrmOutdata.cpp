#include "app/FrmOutdata.h"

#include "app/FrmMessageT.h"
#include "app/IniConfig.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace xe::app {

using base::Ansi;

TFrm_outdata* Frm_outdata = nullptr;

void CreateWindows(tk::TApplication& application)
{
    application.SetTitle(Ansi(u8"数据导出"));
    Frm_outdata = application.CreateForm<TFrm_outdata>();
    Frm_MessageT = application.CreateForm<TFrm_MessageT>();
}

namespace {
char const* const ConnectionTemplate
    = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Jet OLEDB:Database Password=%s;";
}

TFrm_outdata::TFrm_outdata(tk::TComponent* owner)
    : tk::TForm(owner)
{
    RegisterAppClasses();
    tk::ReadComponentResource(this, "forms/Frm_outdata.form");
    Image1 = tk::FindComponentAs<tk::TImage>(this, "Image1");
    ImageTitle1 = tk::FindComponentAs<chrome::TImageTitle>(this, "ImageTitle1");
    But_cancel = tk::FindComponentAs<tk::TSpeedButton>(this, "But_cancel");
    Label2 = tk::FindComponentAs<tk::TLabel>(this, "Label2");
    Gauge1 = tk::FindComponentAs<chrome::TGauge>(this, "Gauge1");
    L_note = tk::FindComponentAs<tk::TLabel>(this, "L_note");
    ImageBtn1 = tk::FindComponentAs<chrome::TImageBtn>(this, "ImageBtn1");
    IMG_Exit = tk::FindComponentAs<chrome::TImageBtn>(this, "IMG_Exit");
    adoconn = tk::FindComponentAs<TAdoConnectionComponent>(this, "adoconn");
    StopWatch = std::make_unique<tk::TTimer>(nullptr);
    StopWatch->SetInterval(100);
    StopWatch->OnTimer = [this](tk::TComponent*) {
        // The confirmation holds the export in its own loop: a stop from outside answers it.
        if (StopRequested() && Frm_MessageT && Frm_MessageT->Visible()
            && Frm_MessageT->ModalResult() == tk::mrNone)
            Frm_MessageT->SetModalResult(tk::mrCancel);
    };

    ConfigDirectory = base::ExecutableDirectory();
    OnShow = [this](tk::TComponent* sender) { FormShow(sender); };
    OnCloseQuery = [this](tk::TComponent* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnDestroy = [this](tk::TComponent* sender) { FormDestroy(sender); };
    But_cancel->OnClick = [this](tk::TComponent* sender) { But_cancelClick(sender); };
    IMG_Exit->OnClick = [this](tk::TComponent* sender) { IMG_ExitClick(sender); };
    ImageBtn1->OnClick = [this](tk::TComponent* sender) { ImageBtn1Click(sender); };
}

void TFrm_outdata::FormShow(tk::TComponent*)
{
    SetCaption(Ansi(u8"XML数据导出"));
    std::string iniFile = ConfigDirectory + "InOut.ini";
    bool const iniExisted = base::SystemFileExists(iniFile);
    ini::TProfileText sqlText, xmlText, dbText, passText;
    FStrSql = ReadIniValue("Sys", "StrSql", iniFile, &sqlText);
    FXmlName = ReadIniValue("Sys", "XmlName", iniFile, &xmlText);
    std::string dbName = ReadIniValue("Sys", "DbName", iniFile, &dbText);
    std::string dbPass = ReadIniValue("Sys", "DbPass", iniFile, &passText);
    FInitFailed = true;
    FInitError.clear();
    // Reading created the configuration: say where, so that the user knows what to fill in.
    if (!iniExisted && base::SystemFileExists(iniFile)) {
        std::string line = "Created an empty configuration \"" + iniFile + "\".\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
    std::string const iniName = base::FromSystemPath(iniFile);
    std::string const codePage = base::AnsiCodePage();
    // Text that did not convert would reach the database as different bytes (a password that
    // never matches, a file that is not there): name the value instead.
    std::pair<char const*, ini::TProfileText const*> const texts[]
        = { { "StrSql", &sqlText }, { "XmlName", &xmlText }, { "DbName", &dbText }, { "DbPass", &passText } };
    for (auto const& [key, text] : texts) {
        if (text->Lossless)
            continue;
        FInitError = text->Utf8
            ? base::Format("The %s value in \"%s\" (read as UTF-8) does not convert to the code page %s.",
                key, iniName.c_str(), codePage.c_str())
            : base::Format("The %s value in \"%s\" is not text in the code page %s; save the file in %s or "
                           "in UTF-8.",
                key, iniName.c_str(), codePage.c_str(), codePage.c_str());
        return;
    }
    if (FStrSql.empty())
        FInitError = base::Format("\"%s\" gives no StrSql in section [Sys].", iniName.c_str());
    else if (FXmlName.empty())
        FInitError = base::Format("\"%s\" gives no XmlName in section [Sys].", iniName.c_str());
    else if (dbName.empty())
        FInitError = base::Format("\"%s\" gives no DbName in section [Sys].", iniName.c_str());
    if (!FInitError.empty())
        return;
    try {
        adoconn->Connection().ConnectionString
            = base::Format(ConnectionTemplate, dbName.c_str(), dbPass.c_str());
        adoconn->Connection().LoginPrompt = false;
        adoconn->Connection().Open();
        FInitFailed = false;
    } catch (base::EInvalidPassword const& e) {
        FInitError = e.what();
        // A file without a byte-order mark is read as UTF-8 when it is valid UTF-8; an ANSI
        // file can be that by chance, and then its password changed on the way in.
        bool const nonAscii = std::any_of(
            dbPass.begin(), dbPass.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        if (passText.Utf8 && !passText.ByteOrderMark && nonAscii)
            FInitError += base::Format(" (\"%s\" was read as UTF-8 text.)", iniName.c_str());
    } catch (std::exception const& e) {
        FInitError = e.what();
    } catch (...) {
        FInitError = "The database could not be opened.";
    }
}

void TFrm_outdata::FormDestroy(tk::TComponent*) { adoconn->Connection().Close(); }

void TFrm_outdata::FormCloseQuery(tk::TComponent*, bool& canClose)
{
    canClose = true;
    if (FFinished)
        return;
    if (!Frm_MessageT)
        return;
    Frm_MessageT->Lab_Caption->SetCaption(Ansi(u8"  是否确定退出?"));
    // The export removes what it has written when it sees the stop; an output it has not
    // touched yet (a stop before the first page) is an earlier run's and stays.
    if (Frm_MessageT->ShowModal() == tk::mrOk)
        FCancelled = true;
    else
        canClose = false;
}

bool TFrm_outdata::StopRequested() const { return FCancelled || FWindowLost || InterruptSignal() != 0; }

void TFrm_outdata::WndProc(tk::TMessage& message)
{
    if (message.Msg != win::WM_NATIVEDESTROYED) {
        tk::TForm::WndProc(message);
        return;
    }
    FWindowLost = true;
    if (FFinished && tk::Application)
        tk::Application->Terminate();
    else if (Frm_MessageT && Frm_MessageT->Visible() && Frm_MessageT->ModalResult() == tk::mrNone)
        Frm_MessageT->SetModalResult(tk::mrCancel);
}

void TFrm_outdata::But_cancelClick(tk::TComponent*) { Close(); }

void TFrm_outdata::IMG_ExitClick(tk::TComponent*) { Close(); }

void TFrm_outdata::ImageBtn1Click(tk::TComponent*)
{
    if (tk::Application)
        tk::Application->Minimize();
}

void TFrm_outdata::SetStatus(std::string const& text)
{
    L_note->SetCaption(text);
    std::string line = base::AnsiToUtf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

} // namespace xe::app
