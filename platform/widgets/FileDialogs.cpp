#include "platform/widgets/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace Platform::FileDialogs {

namespace {

// A save dialog that checks the chosen name before it asks whether to
// replace an existing file.
class CheckedSaveDialog final : public QFileDialog {
public:
    CheckedSaveDialog(QWidget* parent, const QString& folder, NameCheck check)
        : QFileDialog(parent, QString(), folder), check_(std::move(check)) {}
    void accept() override {
        const QStringList chosen = selectedFiles();
        if (check_ && !chosen.isEmpty() && !QFileInfo(chosen.front()).isDir() &&
            !check_(chosen.front()))
            return;
        QFileDialog::accept();
    }

private:
    NameCheck check_;
};

class QtDialogs final : public Service {
public:
    QString GetOpenFileName(QWidget* parent, const QString& filter,
                            const QString& initialPath) override {
        QFileDialog dialog(parent, QString(), StartFolder(initialPath));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(ToQtFilter(filter));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().front();
    }

    QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                            const QString& defaultSuffix) override {
        return GetCheckedSaveFileName(parent, filter, initialPath, defaultSuffix, {});
    }

    QString GetCheckedSaveFileName(QWidget* parent, const QString& filter,
                                   const QString& initialPath, const QString& defaultSuffix,
                                   const NameCheck& check) override {
        CheckedSaveDialog dialog(parent, StartFolder(initialPath), check);
        // the check must come before the replace question, which a
        // system dialog would ask on its own
        if (check) dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(ToQtFilter(filter));
        dialog.setDefaultSuffix(defaultSuffix);
        const QString name = QFileInfo(initialPath).fileName();
        if (!name.isEmpty()) dialog.selectFile(QDir(StartFolder(initialPath)).filePath(name));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().front();
    }
};

QtDialogs gQtDialogs;
Service* gService = nullptr;

Service* Current() {
    return gService ? gService : &gQtDialogs;
}

} // namespace

QString Service::GetCheckedSaveFileName(QWidget* parent, const QString& filter,
                                        const QString& initialPath, const QString& defaultSuffix,
                                        const NameCheck& check) {
    const QString path = GetSaveFileName(parent, filter, initialPath, defaultSuffix);
    return path.isEmpty() || !check || check(path) ? path : QString();
}

void SetService(Service* service) {
    gService = service;
}

QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& initialPath) {
    return Current()->GetOpenFileName(parent, filter, initialPath);
}

QString StartFolder(const QString& initialPath) {
    const QFileInfo file(initialPath);
    // a bare name ("new.dat") has no folder of its own
    if (!initialPath.isEmpty() && file.isAbsolute() && file.absoluteDir().exists())
        return file.absolutePath();
    return QDir::homePath();
}

QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                        const QString& defaultSuffix) {
    return Current()->GetSaveFileName(parent, filter, initialPath, defaultSuffix);
}

QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                        const QString& defaultSuffix, const NameCheck& check) {
    return Current()->GetCheckedSaveFileName(parent, filter, initialPath, defaultSuffix, check);
}

QString ToQtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (description.contains(u'(') && description.contains(pattern))
            out << description;
        else
            out << description + QStringLiteral(" (") + pattern + u')';
    }
    if (out.isEmpty()) out << filter;
    return out.join(QStringLiteral(";;"));
}

} // namespace Platform::FileDialogs
