// ui-roundtrip: loads a window design in Qt Designer's own form editor, with the program's
// controls from the plugin, and writes what Designer's File > Save would write for it; or,
// with --check, says whether the design is already exactly that.
//
//   ui-roundtrip --plugins DIR FORM.ui -o OUT.ui    what Designer saves, to OUT.ui
//   ui-roundtrip --plugins DIR --check FORM.ui      exit 1 and a unified diff on any difference
//
// DIR holds the designer/ folder of the plugin, as a folder of QT_PLUGIN_PATH does. Exit status:
// 0 when all is well, 1 when the design differs from what Designer saves or Designer complained
// while loading it, 2 when it cannot be loaded. No display is needed: the tool runs on Qt's
// offscreen platform, in Fusion, the style Designer has where the desktop names none (the
// style decides, for one, how wide a scroll area's viewport is).
#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QDesignerComponents>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormEditorPluginInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerIntegration>
#include <QDesignerWidgetDataBaseInterface>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPluginLoader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QXmlStreamReader>

namespace {

// What Designer says while it loads a form: a warning (a value it cannot convert, a property
// the control does not have) or a question it would ask (a resource file it cannot find). Either
// means that what it saves is not the design. A question is answered No at once.
QStringList complaints;

void collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
    // Not about the design: the offscreen platform has no OpenGL and no window sizes to propagate,
    // and the tool has no property editor for the integration to follow.
    static const char* const noise[] = {"QStandardPaths: ", "This plugin does not support propagateSizeHints()",
                                        "QOpenGLWidget is not supported",
                                        "QObject::connect: Cannot connect (nullptr)::propertyChanged"};
    const auto isNoise = [&](const char* n) { return message.startsWith(QLatin1String(n)); };
    if (type == QtDebugMsg || type == QtInfoMsg || std::any_of(std::begin(noise), std::end(noise), isNoise)) return;
    complaints.append(message);
}

class QuestionRefuser : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || !dialog || !dialog->isWindow()) return false;
        const auto* box = qobject_cast<QMessageBox*>(dialog);
        complaints.append(QStringLiteral("asks \"%1\": %2").arg(dialog->windowTitle(), box ? box->text() : QString()));
        QMetaObject::invokeMethod(dialog, [dialog] { dialog->done(QDialog::Rejected); }, Qt::QueuedConnection);
        return false;
    }
};

// The editor as Designer's workbench builds it, without its windows: the form editor, its own
// plugins (the signal/slot editor among them: without it a form loses its connections), the
// custom-widget plugins, and the integration (a new form window asks it for its features).
QDesignerFormEditorInterface* createEditor(QObject* owner) {
    QDesignerFormEditorInterface* core = QDesignerComponents::createFormEditor(owner);
    for (QObject* plugin : QPluginLoader::staticInstances() + core->pluginInstances())
        if (auto* editorPlugin = qobject_cast<QDesignerFormEditorPluginInterface*>(plugin))
            if (!editorPlugin->isInitialized()) editorPlugin->initialize(core);
    QDesignerComponents::initializePlugins(core);
    new QDesignerIntegration(core, owner);
    return core;
}

// Every class the design declares must come from the plugin, or extend (maybe through other
// declared classes) one Designer knows; otherwise Designer draws a placeholder for it, and
// saves that instead.
bool allClassesKnown(const QDesignerFormEditorInterface* core, const QByteArray& design) {
    QList<std::pair<QString, QString>> declared;  // class, the class it extends
    QXmlStreamReader xml(design);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("customwidget")) declared.append(std::pair<QString, QString>());
        if (declared.isEmpty()) continue;
        if (xml.name() == QLatin1String("class")) declared.last().first = xml.readElementText();
        if (xml.name() == QLatin1String("extends")) declared.last().second = xml.readElementText();
    }
    const QDesignerWidgetDataBaseInterface* classes = core->widgetDataBase();
    const auto known = [&](const QString& name) {
        const int index = classes->indexOfClassName(name);
        return index >= 0 && !classes->item(index)->isPromoted();
    };
    bool all = true;
    for (const auto& [name, extends] : declared) {
        QString base = known(name) ? name : extends;
        for (qsizetype step = 0; !base.isEmpty() && !known(base) && step < declared.size(); ++step) {
            const auto up = std::find_if(declared.begin(), declared.end(), [&](const auto& c) { return c.first == base; });
            base = up == declared.end() ? QString() : up->second;
        }
        if (base.isEmpty()) {
            std::fprintf(stderr, "no Designer plugin provides %s (is the plugin built?)\n", qPrintable(name));
            all = false;
        }
    }
    return all;
}

// What File > Save writes for the design, as Designer's workbench writes it: the form read in
// text mode, shown (only a shown form is laid out as in Designer), its contents() in UTF-8, with
// CRLF line ends where the file's first line had them.
bool saved(QDesignerFormEditorInterface* core, const QString& path, QByteArray* original, QByteArray* out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    *original = file.readAll();
    file.close();
    if (!allClassesKnown(core, *original) || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;

    // In a window of its own, as in Designer: the form window manager takes that window's
    // activation for the form's.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    QDesignerFormWindowInterface* form = core->formWindowManager()->createFormWindow(&window);
    layout->addWidget(form);
    form->setFileName(path);
    QString error;
    if (!form->setContents(&file, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    window.resize(form->mainContainer()->size());
    window.show();
    QCoreApplication::processEvents();
    QString contents = form->contents();
    const qsizetype firstEnd = original->indexOf('\n');
    if (firstEnd > 0 && original->at(firstEnd - 1) == '\r') contents.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    *out = contents.toUtf8();
    return true;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
}

// The difference, as `diff -u` shows it, where there is a diff to show it.
void showDifference(const QString& path, const QByteArray& asSaved) {
    QTemporaryDir scratch;
    const QString savedPath = scratch.filePath(QStringLiteral("as-Designer-saves-it.ui"));
    const QString diff = QStandardPaths::findExecutable(QStringLiteral("diff"));
    if (!scratch.isValid() || diff.isEmpty() || !write(savedPath, asSaved)) return;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(diff, {QStringLiteral("-u"), path, savedPath});
    process.waitForFinished();
}

int usage() {
    std::fputs("usage: ui-roundtrip --plugins DIR (--check FORM.ui | FORM.ui -o OUT.ui)\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(collect);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QString plugins, form, output;
    bool check = false;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--check"))
            check = true;
        else if (arg == QLatin1String("--plugins") && !args.isEmpty())
            plugins = args.takeFirst();
        else if (arg == QLatin1String("-o") && !args.isEmpty())
            output = args.takeFirst();
        else if (form.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            form = arg;
        else
            return usage();
    }
    if (form.isEmpty() || check == !output.isEmpty()) return usage();
    if (!plugins.isEmpty()) QCoreApplication::addLibraryPath(plugins);

    QuestionRefuser refuser;
    app.installEventFilter(&refuser);
    QObject owner;
    QDesignerFormEditorInterface* core = createEditor(&owner);
    QByteArray original, asSaved;
    if (!saved(core, form, &original, &asSaved)) return 2;
    for (const QString& complaint : std::as_const(complaints))
        std::fprintf(stderr, "%s: Designer %s\n", qPrintable(form), qPrintable(complaint));
    int status = complaints.isEmpty() ? 0 : 1;
    if (!check) return write(output, asSaved) ? status : 2;
    if (original != asSaved) {
        std::fprintf(stdout, "%s is not as Designer saves it:\n", qPrintable(form));
        std::fflush(stdout);
        showDifference(form, asSaved);
        status = 1;
    }
    return status;
}
