#include "core/commands/FileOperations.h"

#include "core/base/DisplayPath.h"
#include "core/base/Paths.h"
#include "core/doc/DesktopPort.h"
#include "core/doc/UiHost.h"
#include "core/listops/Selection.h"

namespace torvane {
namespace {

// The records of the selected rows that exist in the list, in row order.
std::vector<const CListData*> SelectedRecords(const TrackList& list,
                                              std::span<const int> selected) {
    std::vector<const CListData*> records;
    for (int row : ValidRows(selected, list.size()))
        if (list[static_cast<size_t>(row)])
            records.push_back(list[static_cast<size_t>(row)]);
    return records;
}

} // namespace

std::string RegisteredAppFor(const CExtRegistry& registry, const CListData& record) {
    if (record.Ext().empty())
        return {};
    std::string app = registry.FindExtApp(record.Ext());
    if (app.empty() || KindOf(app) != PathKind::File)
        return {};
    return app;
}

void OpenWithApp(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected) {
    const std::vector<const CListData*> records = SelectedRecords(doc.CurrentList(), selected);
    if (records.size() != 1 || selected.size() != 1)
        return;
    const CListData& record = *records.front();
    const std::string app = RegisteredAppFor(doc.Extensions(), record);
    if (app.empty()) {
        desktop.OpenWithDefault(record.FilePath());
        return;
    }
    if (!desktop.StartProgram(app, record.FilePath()))
        doc.Host().ShowMessage(MessageKind::Refusal, MessageId::StartFailed, MessageButtons::Ok);
}

void RecycleSelected(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected) {
    TrackList& list = doc.CurrentList();
    std::vector<int> moved;
    for (int row : ValidRows(selected, list.size())) {
        const CListData* record = list[static_cast<size_t>(row)];
        if (!record || KindOf(record->FilePath()) != PathKind::File)
            continue;
        std::string error;
        if (!desktop.MoveToTrash(record->FilePath(), error)) {
            RemoveRows(doc, list, moved);
            doc.UpdateItemCount();
            doc.Host().ShowMessage(
                MessageKind::Error,
                CMessage(MessageId::TrashFailed).Path(record->FilePath(), doc.Codec()).Text(error),
                MessageButtons::Ok);
            return;
        }
        moved.push_back(row);
    }
    RemoveRows(doc, list, moved);
    doc.UpdateItemCount();
}

void ShowProperties(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected) {
    const std::vector<const CListData*> records = SelectedRecords(doc.CurrentList(), selected);
    if (!records.empty())
        desktop.ShowProperties(*records.front(),
                               DisplayPath(records.front()->FilePath(), doc.Codec()));
}

FolderSet ContainingFolders(const TrackList& list, std::span<const int> selected) {
    FolderSet folders;
    for (const CListData* record : SelectedRecords(list, selected))
        folders[FolderOf(record->FilePath())].push_back(record->FilePath());
    return folders;
}

void OpenContainingFolders(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected) {
    const FolderSet folders = ContainingFolders(doc.CurrentList(), selected);
    if (folders.empty())
        return;
    for (const auto& [folder, files] : folders) {
        if (folder.empty() || KindOf(folder) != PathKind::Folder) {
            doc.Host().ShowMessage(MessageKind::Error, MessageId::FolderNotFound,
                                   MessageButtons::OkCancel);
            return;
        }
    }
    if (folders.size() >= MaxOpenedFolders)
        doc.Host().ShowMessage(MessageKind::Confirmation, MessageId::TooManyFolders,
                               MessageButtons::Ok);
    size_t opened = 0;
    for (auto it = folders.begin(); it != folders.end() && opened < MaxOpenedFolders;
         ++it, ++opened)
        desktop.ShowFolder(it->first, it->second);
}

std::string ClipboardText(const TrackList& list, std::span<const int> selected,
                          ClipboardField field) {
    std::string text;
    for (const CListData* record : SelectedRecords(list, selected)) {
        if (field == ClipboardField::Path)
            text += record->FilePath();
        else
            text += record->FileName();
        text += "\r\n";
    }
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

void CopyToClipboard(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected,
                     ClipboardField field) {
    const std::string text = ClipboardText(doc.CurrentList(), selected, field);
    if (text.empty())
        return;
    if (!desktop.SetClipboardText(text))
        doc.Host().ShowMessage(MessageKind::Error, MessageId::ClipboardFailed, MessageButtons::Ok);
}

} // namespace torvane
