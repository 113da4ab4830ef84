#include "ui/CreditsWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char* const CreditsPage = R"(
<h2 align="center" style="color:#1d3f6e">DraCFG Editor</h2>
<p align="center"><i>made with care by the Dravane Tools Group</i></p>
<hr/>
<table cellspacing="3" cellpadding="2" align="center" width="90%">
<tr><td colspan="2"><h3 style="color:#1d3f6e">Development</h3></td></tr>
<tr><td width="45%"><b>Mirela Ostrander</b></td><td>lead developer</td></tr>
<tr><td><b>Tobias Fennwick</b></td><td>settings catalogue and explorer</td></tr>
<tr><td><b>Anouk Verhaal</b></td><td>editor, find and printing</td></tr>
<tr><td colspan="2"><h3 style="color:#1d3f6e">Design and documentation</h3></td></tr>
<tr><td><b>Ilse Brannagh</b></td><td>pictures and layout</td></tr>
<tr><td><b>Ruben Castellaw</b></td><td>user guide</td></tr>
<tr><td colspan="2"><h3 style="color:#1d3f6e">Testing</h3></td></tr>
<tr><td><b>Petra Holmquist</b></td><td>found the bug nobody else could</td></tr>
<tr><td><b>Desmond Achterberg</b></td><td>typed every setting twice</td></tr>
</table>
<hr/>
<p align="center">Thank you to every administrator who sent us a configuration file<br/>
and a patient description of what went wrong.</p>
)";

} // namespace

CreditsWindow::CreditsWindow(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmEasterEgg"));
    setWindowTitle(QStringLiteral("DraCFG Editor Credits"));
    RichTextBox1 = new QTextBrowser(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->document()->setDocumentMargin(14);
    RichTextBox1->setHtml(QString::fromUtf8(CreditsPage));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichTextBox1);
    resize(460, 440);
}
