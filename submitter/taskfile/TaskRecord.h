#pragma once
// The task record: what a task file holds, as text. Numbers and flags stay as
// their decimal text and are converted where they are used.
#include <string>
#include <vector>

namespace z9 {

struct StepRecord {
    std::string StepName;         // STEPNAME
    std::string Command;          // COMMAND
    std::string FileRC;           // FILERC
    std::string WorkingDirectory; // WORKINGDIRECTORY
    std::string Environment;      // ENVIRONMENT
    std::string BuffHeight;       // BUFFHEIGHT
    std::string BuffWidth;        // BUFFWIDTH
    std::string MinRC;            // MINRC
    std::string MaxRC;            // MAXRC
    std::string Execute;          // EXECUTE: bit 1 = runs, bit 4 = protected
    bool operator==(const StepRecord&) const = default;
};

struct TaskFileRecord {
    std::string LocalPath;  // LOCALPATH
    std::string ServerPath; // SERVERPATH
    std::string Copy;       // COPY
    bool operator==(const TaskFileRecord&) const = default;
};

struct EnvironRecord {
    std::string Step;     // STEP: 1-based step number
    std::string Caption;  // CAPTION
    std::string Variable; // VARIABLE (case-sensitive)
    std::string Help;     // HELP
    std::string Type;     // TYPE: first character is the field type 0..7
    std::string Value;    // VALUE
    std::string Min;      // MIN
    std::string Max;      // MAX
    std::string Percent;  // PERCENT
    std::string Format;   // FORMAT
    bool operator==(const EnvironRecord&) const = default;
};

struct TaskRecord {
    std::string TaskName;        // TASKNAME
    std::string User;            // USER
    std::string Password;        // PASSWORD
    std::string Domain;          // DOMAIN
    std::string Server;          // SERVER
    std::string ServerPath;      // SERVERPATH
    std::string CpuPriority;     // CPUPRIORITY
    std::string ScheduledTime;   // SCHEDULEDTIME
    std::string Dependent;       // DEPENDENT
    std::string QueuePriority;   // QUEUEPRIORITY
    std::string MaxRC;           // MAXRC
    std::string TaskReportFile;  // TASKREPORTFILE
    std::string TaskRepeat;      // TASKREPEAT
    std::string NumberSteps;     // NUMBERSTEPS
    std::string NumberTaskFiles; // NUMBERTASKFILES
    std::string NumberEnviron;   // NUMBERENVIRON
    std::string MaxTime;         // MAXTIME
    std::string TaskClass;       // TASKCLASS
    std::string SubUser;         // SUBUSER
    std::string SubDomain;       // SUBDOMAIN
    std::string SubServer;       // SUBSERVER
    std::string SubData;         // SUBDATA
    std::string RepeatCancel;    // REPEATCANCEL
    std::string FontName;        // FONTNAME
    std::string FontSize;        // FONTSIZE
    std::string FontColor;       // FONTCOLOR
    std::string FontCharset;     // FONTCHARSET
    std::string FontBold;        // FONTBOLD
    std::string FontItalic;      // FONTITALIC
    std::string Reserved1;       // RESERVED1: first character '1' = user may schedule
    std::string Reserved2;       // RESERVED2
    std::string EditPPP;         // EDITPPP: non-empty only in encrypted task files

    // Indexed from 0; their lengths equal the three counts after a load.
    std::vector<StepRecord> Steps;
    std::vector<TaskFileRecord> TaskFiles;
    std::vector<EnvironRecord> Environs;

    bool operator==(const TaskRecord&) const = default;
};

// The submitter handles one task per run; this is it.
TaskRecord& Task();

} // namespace z9
