#include "records/FileMessages.h"

namespace records {
namespace {

struct Wording {
    const char* subject;     // "The flight"
    const char* participle;  // "saved": "... could not be saved"
    const char* infinitive;  // "remove the flight": "Ask root to remove the flight."
    const char* container;   // what another program may have changed: "the navigation log"
    bool replaces;           // writes a new file in place of the old one
};

Wording wording(Action action) {
    switch (action) {
        case Action::SaveFlight:
            return {"The flight", "saved", "add the flight", "the logbook", false};
        case Action::AddFlights:
            return {"The flights", "added", "add the flights", "the logbook", true};
        case Action::RemoveFlight:
            return {"The flight", "removed", "remove the flight", "the logbook", true};
        case Action::SaveRatings:
            return {"The ratings", "saved", "save the ratings", "the logbook", false};
        case Action::CreateLogbook:
            return {"The logbook", "created", "create the logbook", "the logbook", false};
        case Action::SavePlan:
            return {"The flight plan", "saved", "save the flight plan", "the flight plan", false};
        case Action::CreatePlan:
            return {"The flight plan", "created", "create the flight plan", "the flight plan",
                    false};
        case Action::SaveLogHeader:
            return {"The flight log", "saved", "save the flight log", "the navigation log", false};
        case Action::SaveCheckpoint:
            return {"The checkpoint", "saved", "add the checkpoint", "the navigation log", false};
        case Action::RemoveCheckpoint:
            return {"The checkpoint", "removed", "remove the checkpoint", "the navigation log",
                    false};
        case Action::SavePersonal:
            return {"The personal information", "saved", "save the personal information",
                    "the personal information", false};
        case Action::SaveAircraft:
            return {"The aircraft", "saved", "save the aircraft", "the aircraft", true};
        case Action::WriteOutput:
            break;
    }
    return {"The output", "written", "write the output", "the output", false};
}

std::string capitalized(std::string text) {
    // Only an article is capitalized: a file name is shown as it is spelt.
    if (text.rfind("the ", 0) == 0) text[0] = 'T';
    return text;
}

std::string withoutArticle(const std::string& text) {
    return text.rfind("the ", 0) == 0 ? text.substr(4) : text;
}

std::string ownerName(const Failure& f) { return f.owner.empty() ? "its owner" : f.owner; }

}  // namespace

std::string failureReason(const std::string& file, const Failure& f) {
    switch (f.reason) {
        case FileError::Missing:
            return file + " does not exist";
        case FileError::Exists:
            return file + " exists already and is not written over";
        case FileError::NotRegular:
            return file + " is not a regular file";
        case FileError::ReadOnly:
            return file + " is read-only";
        case FileError::Busy:
            return file + " is in use by another program";
        case FileError::HardLinked:
            return file + " has more than one name (hard links), which replacing it would part";
        case FileError::FolderNotWritable:
            return file + "'s folder cannot be written";
        case FileError::OwnerNotKept:
            return file + " belongs to " + ownerName(f) +
                   ", and cannot be replaced without changing its owner";
        case FileError::NotALogbook:
            return "the file is not a logbook";
        case FileError::Full:
            return file + " is full";
        case FileError::Gone:
            return file + " no longer holds it";
        case FileError::Changed:
            return file + " was changed by another program";
        case FileError::WriteFailed:
            break;
    }
    return file + " could not be written";
}

std::string failureMessage(Action action, const std::string& file, const Failure& f) {
    const Wording w = wording(action);
    const std::string subject = w.subject;
    const std::string nothing = " Nothing was changed.";
    switch (f.reason) {
        case FileError::Full:
            if (action == Action::SaveFlight)
                return "The logbook is full: it holds the most flights a logbook can (32766). "
                       "The flight was not saved.";
            if (action == Action::AddFlights)
                return "The flights could not be added: the logbook would hold more than the "
                       "most flights a logbook can (32766). Nothing was changed.";
            if (action == Action::SaveCheckpoint)
                return "You have reached the maximum of 10 checkpoints, please start a new Flight "
                       "Log";
            break;
        case FileError::OwnerNotKept:
            return capitalized(file) + " belongs to " + ownerName(f) +
                   "; Aerokit cannot replace it without changing its owner. Ask " + ownerName(f) +
                   " to " + w.infinitive + ".";
        case FileError::Changed:
            return capitalized(w.container) + " was changed by another program. Nothing was " +
                   w.participle + ".";
        case FileError::Gone:
            if (action == Action::RemoveFlight)
                return subject +
                       " could not be removed: no flight of that date is in the logbook any "
                       "more." +
                       nothing;
            if (action == Action::RemoveCheckpoint)
                return subject + " could not be removed: " + w.container + " holds no checkpoint." +
                       nothing;
            break;
        case FileError::WriteFailed:
            // Saving names the file it went to; a replacement says which
            // step failed: the new file.
            if (std::string(w.participle) == "saved")
                return subject + " could not be saved to " + file + "." + nothing;
            if (w.replaces)
                return subject + " could not be " + w.participle + ": the new " +
                       withoutArticle(w.container) + " could not be written." + nothing;
            break;
        default:
            break;
    }
    return subject + " could not be " + w.participle + ": " + failureReason(file, f) + "." +
           nothing + (f.reason == FileError::Busy ? " Try again in a moment." : "");
}

}  // namespace records
