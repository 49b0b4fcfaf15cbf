#pragma once
// The messages of idioma.lng that the window shows, by name.  The list is
// one table so that a test can check every entry against each language of
// the delivered file.

namespace zerlant::gui {

// X(name, number): message `number` of idioma.lng.
#define ZERLANT_WINDOW_MESSAGES(X)                                                            \
    X(AppTitle, 1)                 /* Zerlant */                                              \
    X(LanguageCaption, 2)          /* Language */                                             \
    X(Print, 3)                    /* Print */                                                \
    X(LanguageFileTitle, 4)        /* Language file */                                        \
    X(PrintingFailed, 5)           /* Printing failed. */                                     \
    X(About, 6)                    /* About */                                                \
    X(NewLanguageUnnamed, 7)       /* The new language has no name. Type its name in ... */   \
    X(EditLanguages, 8)            /* Edit languages */                                       \
    X(LanguageFileSubtitle, 9)     /* idioma.lng */                                           \
    X(PrintedOn, 10)               /* Printed on */                                           \
    X(Save, 12)                    /* Save */                                                 \
    X(NewLanguage, 13)             /* New language */                                         \
    X(LanguageNotInFile, 14)       /* The chosen language is not in the language file. */     \
    X(AboutSummary, 16)            /* Collects the results of Gaussian jobs and AIM a... */   \
    X(AboutVersion, 17)            /* Version 0.1.0 */                                        \
    X(AboutAuthors, 18)            /* Authors */                                              \
    X(SystemInformation, 19)       /* System information */                                   \
    X(Ok, 20)                      /* OK */                                                   \
    X(SystemInformationFailed, 21) /* The system information program could not be sta... */   \
    X(SplashTagline, 22)           /* Tools for computational chemistry */                    \
    X(SplashLine1, 23)             /* Result tables from Gaussian and AIM files, */           \
    X(SplashLine2, 24)             /* renaming and preparation of job files */                \
    X(SplashVersion, 25)           /* Version 0.1.0 */                                        \
    X(SplashPlatform, 26)          /* For Linux desktops and servers */                       \
    X(ToolExtract, 51)             /* Extract */                                              \
    X(ToolRename, 52)              /* Rename */                                               \
    X(ToolSubstitute, 53)          /* Substitute */                                           \
    X(ToolBatch, 54)               /* Batch file */                                           \
    X(ToolScan, 59)                /* Scan */                                                 \
    X(CheckAll, 60)                /* Check all */                                            \
    X(UncheckAll, 61)              /* Uncheck all */                                          \
    X(Add, 62)                     /* Add */                                                  \
    X(Remove, 63)                  /* Remove */                                               \
    X(RemoveAll, 64)               /* Remove all */                                           \
    X(Filter, 65)                  /* Filter */                                               \
    X(Run, 79)                     /* Run */                                                  \
    X(ExportText, 80)              /* Text */                                                 \
    X(ExportSheet, 81)             /* Spreadsheet */                                          \
    X(RuleInsert, 90)              /* Insert */                                               \
    X(RuleDelete, 91)              /* Delete */                                               \
    X(RuleRemove, 92)              /* Remove */                                               \
    X(RuleReplace, 93)             /* Replace */                                              \
    X(RuleExtension, 94)           /* Extension */                                            \
    X(RuleCase, 95)                /* Case */                                                 \
    X(RuleNumber, 96)              /* Number */                                               \
    X(What, 97)                    /* What? */                                                \
    X(Where, 98)                   /* Where? */                                               \
    X(Prefix, 99)                  /* Prefix */                                               \
    X(Suffix, 100)                 /* Suffix */                                               \
    X(Position, 101)               /* Position */                                             \
    X(KeepExtension, 102)          /* Keep extension */                                       \
    X(From, 103)                   /* From */                                                 \
    X(To, 104)                     /* To */                                                   \
    X(Delimiter, 105)              /* Delimiter */                                            \
    X(Count, 106)                  /* Count */                                                \
    X(ToTheEnd, 107)               /* To the end */                                           \
    X(AllOccurrences, 108)         /* All */                                                  \
    X(FirstOccurrence, 109)        /* First */                                                \
    X(LastOccurrence, 110)         /* Last */                                                 \
    X(With, 111)                   /* With */                                                 \
    X(NewExtension, 112)           /* New extension */                                        \
    X(ExtensionHint, 113)          /* Without the dot, e.g. jpg */                            \
    X(AllCapitals, 114)            /* ALL CAPITALS */                                         \
    X(AllLowerCase, 115)           /* all lower case */                                       \
    X(TitleCase, 116)              /* First Capitals */                                       \
    X(InvertCase, 117)             /* iNVERT cASE */                                          \
    X(StartAt, 118)                /* Start at */                                             \
    X(Width, 119)                  /* Width */                                                \
    X(FillWith, 120)               /* Fill with */                                            \
    X(Preview, 121)                /* Preview */                                              \
    X(ReplaceThisText, 124)        /* Replace this text */                                    \
    X(WithThisText, 125)           /* with this text */                                       \
    X(Paste, 126)                  /* Paste */                                                \
    X(EveryOccurrence, 127)        /* Every occurrence */                                     \
    X(OnlyFirstOccurrence, 128)    /* Only the first occurrence */                            \
    X(BatchFileName, 129)          /* File name */                                            \
    X(OutputExtension, 130)        /* Extension of the output files */                        \
    X(DriveUnreadable, 132)        /* The drive cannot be read. Check that it holds a... */   \
    X(NotScanJobsUnticked, 133)    /* Files that are not scan jobs were unticked and ... */   \
    X(ScanJobsSkipped, 134)        /* Scan jobs were skipped and unticked. Use the Sc... */   \
    X(FullPaths, 139)              /* Full paths */                                           \
    X(SheetExportFailed, 154)      /* The spreadsheet could not be written or opened. */      \
    X(CloseQuestion, 180)          /* Do you want to close Zerlant? */                        \
    X(CloseTitle, 181)             /* Exit */                                                 \
    X(ToolAim, 190)                /* AIM */                                                  \
    X(MenuFile, 210)               /* &File */                                                \
    X(MenuOpenFolder, 211)         /* &Open folder... */                                      \
    X(MenuExportText, 212)         /* Export &text... */                                      \
    X(MenuExportSheet, 213)        /* Export &spreadsheet... */                               \
    X(MenuQuit, 214)               /* &Quit */                                                \
    X(MenuTools, 215)              /* &Tools */                                               \
    X(MenuLanguage, 216)           /* &Language */                                            \
    X(MenuHelp, 217)               /* &Help */                                                \
    X(MenuAbout, 218)              /* &About Zerlant */                                       \
    X(Close, 219)                  /* &Close */                                               \
    X(Folder, 220)                 /* Folder */                                               \
    X(HomeFolder, 221)             /* Home folder */                                          \
    X(RecentFolders, 222)          /* Recent folders */                                       \
    X(FolderUnreadable, 223)       /* The folder does not exist or cannot be read. */         \
    X(AllFilesFilter, 227)         /* All files (*) */                                        \
    X(ReplaceQuestion, 228)        /* %1 already exists. Do you want to replace it? */        \
    X(ChooseFolder, 229)           /* Choose a folder */                                      \
    X(SubstituteQuestion, 230)     /* %1 of %2 ticked files hold the block; replace i... */   \
    X(BlockNotFound, 231)          /* None of the ticked files holds the block. */            \
    X(Undo, 232)                   /* &Undo */                                                \
    X(NothingToUndo, 233)          /* There is nothing to undo. */                            \
    X(RunUndone, 234)              /* The last run was undone. */                             \
    X(UndoRefused, 235)            /* Cannot undo: these files have changed since the... */   \
    X(JournalNotSaved, 236)        /* The record of this run could not be saved, so i... */   \
    X(UndoTip, 237)                /* Undo the last run of this tool */                       \
    X(FilterTip, 238)              /* Several patterns separated by spaces, for examp... */   \
    X(Cancel, 243)                 /* Cancel */                                               \
    X(Results, 260)                /* Results */                                              \
    X(Thermochemistry, 300)        /* Thermochemistry */                                      \
    X(MenuThermo, 330)             /* Thermochemistry of the ticked files */                  \
    X(ThermoNothingTicked, 337)    /* First tick the Gaussian outputs with a frequenc... */   \
    X(CsvFilter, 371)              /* CSV for scripts (*.csv) */                              \
    X(JsonFilter, 372)             /* JSON for scripts (*.json) */                            \
    X(LocaleCode, 450)             /* the language's code for the standard dialogs: en, es */ \
    X(RenameDone, 451)             /* renamed %1 of %2 ticked files */                        \
    X(SubstituteDone, 452)         /* replaced the block in %1 of %2 ticked files */          \
    X(BatchDone, 453)              /* wrote batch file %1 with %2 jobs */                     \
    X(ViewMenu, 454)               /* &View */                                                \
    X(ViewToolPanel, 455)          /* the tool panel below the list */                        \
    X(ViewToolbar, 456)            /* the toolbar */                                          \
    X(ManualMenu, 457)             /* Help > Manual (F1) */                                   \
    X(ManualTitle, 458)            /* title of the manual window */                           \
    X(ManualMissing, 459)          /* the manual is not where it was installed: %1 */         \
    X(MenuNextJob, 520)            /* &Next job... */                                         \
    X(MenuSortJobs, 521)           /* &Sort jobs by health... */                              \
    X(NextJobTitle, 522)           /* Next job */                                             \
    X(OutputColumn, 523)           /* Output */                                               \
    X(DiagnosisColumn, 524)        /* Diagnosis */                                            \
    X(FixColumn, 525)              /* Fix proposed */                                         \
    X(NewInputColumn, 526)         /* New input */                                            \
    X(WriteInputs, 527)            /* &Write the new inputs */                                \
    X(NoNextInput, 528)            /* No ticked output gives a new input. */                  \
    X(InputsWritten, 529)          /* Wrote %1 new inputs. */                                 \
    X(AlreadyThere, 530)           /* already there: not replaced */                          \
    X(SortJobsTitle, 531)          /* Sort jobs by health */                                  \
    X(OutcomeColumn, 532)          /* Outcome */                                              \
    X(WhyColumn, 533)              /* Why */                                                  \
    X(MovesColumn, 534)            /* Moves */                                                \
    X(MoveFiles, 535)              /* &Move the files */                                      \
    X(FilesMoved, 536)             /* Moved %1 files; Undo on the Rename ... */               \
    X(NoOutputTicked, 537)         /* First tick the Gaussian outputs (.out, .log). */        \
    X(OutcomeDone, 538)            /* done */                                                 \
    X(OutcomeFailed, 539)          /* failed */                                               \
    X(OutcomeImaginary, 540)       /* imaginary frequencies */                                \
    X(OutcomeRunning, 541)         /* running */                                              \
    X(DiagnosisFinished, 542)      /* ended normally */                                       \
    X(DiagnosisOptStopped, 543)    /* optimisation stopped */                                 \
    X(DiagnosisScf, 544)           /* SCF not converged */                                    \
    X(DiagnosisImaginary, 545)     /* minimum with imaginary frequencies */                   \
    X(DiagnosisTsModes, 546)       /* transition state with ex... */                          \
    X(DiagnosisInputError, 547)    /* input error */                                          \
    X(DiagnosisOther, 548)         /* other failure */                                        \
    X(SinglePointSuffix, 549)      /* Single-point suffix */                                  \
    X(SinglePointFile, 550)        /* Single point */                                         \
    X(SinglePointE, 551)           /* E (single point) */                                     \
    X(SinglePointH, 552)           /* H (single point) */                                     \
    X(SinglePointG, 553)           /* G (single point) */                                     \
    X(SinglePointQhG, 554)         /* qh-G (single point) */                                  \
    X(SinglePointQhH, 555)         /* qh-H (single point) */                                  \
    X(BoltzmannSum, 556)           /* Boltzmann-weighted sum (from E) */                      \
    X(NothingWrittenYet, 557)      /* Nothing is written until you accept; no fi... */        \
    X(NothingMovedYet, 558)        /* Nothing is moved until you accept; no file... */        \
    X(CannotMove, 559)             /* Cannot be moved */                                      \
    X(Structure, 560)              /* Structure */                                            \
    X(StructureLabels, 561)        /* Atom labels */                                          \
    X(StructureReset, 562)         /* Reset view */                                           \
    X(StructureSaveImage, 563)     /* Save image... */                                        \
    X(StructureCopyXyz, 564)       /* Copy XYZ */                                             \
    X(StructureWatch, 565)         /* Watch */                                                \
    X(NormalModes, 566)            /* Normal modes */                                         \
    X(OptimisationSteps, 567)      /* Optimisation */                                         \
    X(ModeAmplitude, 568)          /* Amplitude (Å) */                                       \
    X(AnimationSpeed, 569)         /* Speed */                                                \
    X(ExportModeXyz, 570)          /* Export mode as XYZ... */                                \
    X(Play, 571)                   /* Play */                                                 \
    X(Pause, 572)                  /* Pause */                                                \
    X(StepOf, 573)                 /* Step %1 of %2 */                                        \
    X(StepEnergy, 574)             /* Energy (hartree) */                                     \
    X(StepColumn, 575)             /* Step */                                                 \
    X(MaximumForce, 576)           /* Maximum force */                                        \
    X(RmsForce, 577)               /* RMS force */                                            \
    X(MaximumDisplacement, 578)    /* Maximum displacement */                                 \
    X(RmsDisplacement, 579)        /* RMS displacement */                                     \
    X(NoCartesian, 580)            /* This file prints no Cartesian coordinates. */           \
    X(CoordinatesCut, 581)         /* A coordinate table of this file is cut off... */        \
    X(StructureUnreadable, 582)    /* The file could not be read: %1 */                       \
    X(Watching, 583)               /* Watching: the job is still running. */                  \
    X(WatchEnded, 584)             /* The job has ended; watching stopped. */                 \
    X(WatchTruncated, 585)         /* The file became shorter while it was watch... */        \
    X(WatchReplaced, 586)          /* The file was replaced by another while it ... */        \
    X(WatchVanished, 587)          /* The file is gone; the view shows what had ... */        \
    X(DistanceValue, 588)          /* distance %1 Å */                                       \
    X(AngleValue, 589)             /* angle %1° */                                           \
    X(DihedralValue, 590)          /* dihedral %1° */                                        \
    X(MeasureHint, 591)            /* Drag to rotate, right-drag to move, wheel ... */        \
    X(NoStructureYet, 592)         /* Select a row of the Extract results or a G... */        \
    X(NoModes, 593)                /* This file prints no normal modes. */                    \
    X(NoSteps, 594)                /* This file prints no optimisation steps. */              \
    X(Imaginary, 595)              /* imaginary */                                            \
    X(PngFilter, 596)              /* PNG image (*.png) */                                    \
    X(XyzFilter, 597)              /* XYZ file (*.xyz) */                                     \
    X(NotWritten, 598)             /* The file could not be written: %1 */                    \
    X(Converged, 599)              /* converged */                                            \
    X(NotInList, 600)              /* %1 is no longer in the working list. */

enum class Msg : int {
#define ZERLANT_MESSAGE_ENUM(name, number) name = number,
    ZERLANT_WINDOW_MESSAGES(ZERLANT_MESSAGE_ENUM)
#undef ZERLANT_MESSAGE_ENUM
};

}  // namespace zerlant::gui
