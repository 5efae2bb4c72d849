#include "sound/SfxOutputs.h"

#include "util/Win32.h"
#include "util/FmxUtils.h"

#include <string_view>

namespace tessark {
namespace {

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteEvenReadOnly(const std::wstring& path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

[[noreturn]] void Refuse(std::wstring_view pattern, std::wstring_view path)
{
    throw SfxNotInstalled(FormatMessageText(pattern, path));
}

void RefuseWhenInTheWay(const std::wstring& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        Refuse(msg::WadTargetIsFolder, target);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        Refuse(msg::WadTargetReadOnly, target);
}

// One file of the pair: copied beside its target first ("staged"), then
// swapped with it, the former target kept aside until the whole pair is in.
struct Member {
    std::wstring built;
    std::wstring target;
    std::wstring staged;
    std::wstring aside;
    bool inPlace = false;
};

// The copy is where a full disk or an unreadable output shows up, before any
// target has been touched.
void Stage(Member& member)
{
    const std::wstring staged = UnusedNameBeside(member.target, L".~new");
    try {
        CopyOneFile(member.built, staged);
    } catch (const UserError& failure) {
        throw SfxNotInstalled(FormatMessageText(msg::WadOutputNotCopied, member.target) + L"\n" + failure.text());
    }
    member.staged = staged;
}

void SwapIn(Member& member)
{
    if (PathExists(member.target)) {
        const std::wstring aside = UnusedNameBeside(member.target, L".~old");
        if (!RenameFile(member.target, aside))
            Refuse(msg::WadTargetNotReplaced, member.target);
        member.aside = aside;
    }
    if (!RenameFile(member.staged, member.target))
        Refuse(msg::WadTargetNotReplaced, member.target);
    member.inPlace = true;
}

// Every former target goes back under its name. A step that fails leaves the
// files under the names they have: the former ones are never deleted here.
void RollBack(std::vector<Member>& members)
{
    for (auto member = members.rbegin(); member != members.rend(); ++member) {
        if (member->inPlace && RenameFile(member->target, member->staged))
            member->inPlace = false;
        if (!member->inPlace && !member->aside.empty())
            RenameFile(member->aside, member->target);
        if (!member->inPlace && !member->staged.empty())
            DeleteFileW(member->staged.c_str());
    }
}

} // namespace

EarlierOutputs::EarlierOutputs(const std::vector<std::wstring>& outputs)
{
    for (const std::wstring& output : outputs) {
        if (!FileExists(output))
            continue;
        std::wstring aside = UnusedNameBeside(output, L".~old");
        if (!RenameFile(output, aside)) {
            PutBack();
            Refuse(msg::EarlierOutputNotSetAside, output);
        }
        setAside_.push_back({output, std::move(aside)});
    }
}

EarlierOutputs::~EarlierOutputs()
{
    PutBack();
}

void EarlierOutputs::PutBack()
{
    for (const SetAside& file : setAside_)
        MoveFileExW(file.aside.c_str(), file.path.c_str(), MOVEFILE_REPLACE_EXISTING);
    setAside_.clear();
}

void EarlierOutputs::Drop()
{
    for (const SetAside& file : setAside_)
        DeleteEvenReadOnly(file.aside);
    setAside_.clear();
}

void InstallTogether(const std::vector<std::wstring>& built, const std::vector<std::wstring>& targets)
{
    for (const std::wstring& target : targets)
        RefuseWhenInTheWay(target);
    std::vector<Member> members;
    for (std::size_t i = 0; i < built.size() && i < targets.size(); ++i)
        members.push_back({built[i], targets[i], {}, {}, false});
    try {
        for (Member& member : members)
            Stage(member);
        for (Member& member : members)
            SwapIn(member);
    } catch (...) {
        RollBack(members);
        throw;
    }
    for (const Member& member : members)
        if (!member.aside.empty())
            DeleteEvenReadOnly(member.aside);
}

} // namespace tessark
