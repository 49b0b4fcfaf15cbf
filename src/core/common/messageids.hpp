#pragma once
// The messages of idioma.lng that the program shows, by name.  Every use of a
// message goes through this one table, so that a test can check each entry
// against both languages of the delivered file: the third field is how the
// English text begins (up to 40 characters), which catches a name that points
// at the wrong number.

namespace zerlant {

// X(name, number, start): message `number` of idioma.lng, whose English text
// begins with `start`.
#define ZERLANT_MESSAGES(X)                                                    \
    X(AppTitle, 1, "Zerlant")                                                  \
    X(LanguageCaption, 2, "Language")                                          \
    X(Print, 3, "Print")                                                       \
    X(LanguageFileTitle, 4, "Language file")                                   \
    X(PrintingFailed, 5, "Printing failed.")                                   \
    X(About, 6, "About")                                                       \
    X(NewLanguageUnnamed, 7, "The new language has no name. Type its n")       \
    X(EditLanguages, 8, "Edit languages")                                      \
    X(LanguageFileSubtitle, 9, "idioma.lng")                                   \
    X(PrintedOn, 10, "Printed on")                                             \
    X(SaveChangesQuestion, 11, "Do you want to save the changes to")           \
    X(Save, 12, "Save")                                                        \
    X(NewLanguage, 13, "New language")                                         \
    X(LanguageNotInFile, 14, "The chosen language is not in the langua")       \
    X(LanguageNextStart, 15, "The chosen language will be used the nex")       \
    X(AboutSummary, 16, "Collects the results of Gaussian jobs an")            \
    X(AboutVersion, 17, "Version 0.1.0")                                       \
    X(AboutAuthors, 18, "Authors")                                             \
    X(SystemInformation, 19, "System information")                             \
    X(Ok, 20, "OK")                                                            \
    X(SystemInformationFailed, 21, "The system information program could not") \
    X(SplashTagline, 22, "Tools for computational chemistry")                  \
    X(SplashLine1, 23, "Result tables from Gaussian and AIM file")             \
    X(SplashLine2, 24, "renaming and preparation of job files")                \
    X(SplashVersion, 25, "Version 0.1.0")                                      \
    X(SplashPlatform, 26, "For Linux desktops and servers")                    \
    X(ToolExtract, 51, "Extract")                                              \
    X(ToolRename, 52, "Rename")                                                \
    X(ToolSubstitute, 53, "Substitute")                                        \
    X(ToolBatch, 54, "Batch file")                                             \
    X(File, 58, "File")                                                        \
    X(ToolScan, 59, "Scan")                                                    \
    X(CheckAll, 60, "Check all")                                               \
    X(UncheckAll, 61, "Uncheck all")                                           \
    X(Add, 62, "Add")                                                          \
    X(Remove, 63, "Remove")                                                    \
    X(RemoveAll, 64, "Remove all")                                             \
    X(Filter, 65, "Filter")                                                    \
    X(EnergyOpt, 66, "Energy OPT")                                             \
    X(Volume, 67, "Volume")                                                    \
    X(CavityRadius, 68, "a0")                                                  \
    X(Formula, 69, "Formula")                                                  \
    X(Method, 70, "Method")                                                    \
    X(BasisSet, 71, "Basis set")                                               \
    X(Status, 72, "Status")                                                    \
    X(Energy, 73, "Energy")                                                    \
    X(DipoleMoment, 74, "Dipole moment")                                       \
    X(Eps, 75, "Eps")                                                          \
    X(RSolv, 76, "RSolv")                                                      \
    X(Cavitation, 77, "Cavitation")                                            \
    X(DeltaGSolvation, 78, "DeltaG solvation")                                 \
    X(Run, 79, "Run")                                                          \
    X(ExportText, 80, "Text")                                                  \
    X(ExportSheet, 81, "Spreadsheet")                                          \
    X(Files, 82, "Files")                                                      \
    X(NonElectrostatic, 83, "Non-electrostatic")                               \
    X(MethodEnergy, 84, "Method energy")                                       \
    X(OrbitalEnergies, 85, "Orbital energies")                                 \
    X(Orbital, 86, "Orbital")                                                  \
    X(OrbitalSymmetry, 87, "Orbital symmetry")                                 \
    X(Homo, 88, "HOMO")                                                        \
    X(Lumo, 89, "LUMO")                                                        \
    X(RuleInsert, 90, "Insert")                                                \
    X(RuleDelete, 91, "Delete")                                                \
    X(RuleRemove, 92, "Remove")                                                \
    X(RuleReplace, 93, "Replace")                                              \
    X(RuleExtension, 94, "Extension")                                          \
    X(RuleCase, 95, "Case")                                                    \
    X(RuleNumber, 96, "Number")                                                \
    X(What, 97, "What?")                                                       \
    X(Where, 98, "Where?")                                                     \
    X(Prefix, 99, "Prefix")                                                    \
    X(Suffix, 100, "Suffix")                                                   \
    X(Position, 101, "Position")                                               \
    X(KeepExtension, 102, "Keep extension")                                    \
    X(From, 103, "From")                                                       \
    X(To, 104, "To")                                                           \
    X(Delimiter, 105, "Delimiter")                                             \
    X(Count, 106, "Count")                                                     \
    X(ToTheEnd, 107, "To the end")                                             \
    X(AllOccurrences, 108, "All")                                              \
    X(FirstOccurrence, 109, "First")                                           \
    X(LastOccurrence, 110, "Last")                                             \
    X(With, 111, "With")                                                       \
    X(NewExtension, 112, "New extension")                                      \
    X(ExtensionHint, 113, "Without the dot, e.g. jpg")                         \
    X(AllCapitals, 114, "ALL CAPITALS")                                        \
    X(AllLowerCase, 115, "all lower case")                                     \
    X(TitleCase, 116, "First Capitals")                                        \
    X(InvertCase, 117, "iNVERT cASE")                                          \
    X(StartAt, 118, "Start at")                                                \
    X(Width, 119, "Width")                                                     \
    X(FillWith, 120, "Fill with")                                              \
    X(Preview, 121, "Preview")                                                 \
    X(CurrentName, 122, "Current name")                                        \
    X(NewName, 123, "New name")                                                \
    X(ReplaceThisText, 124, "Replace this text")                               \
    X(WithThisText, 125, "with this text")                                     \
    X(Paste, 126, "Paste")                                                     \
    X(EveryOccurrence, 127, "Every occurrence")                                \
    X(OnlyFirstOccurrence, 128, "Only the first occurrence")                   \
    X(BatchFileName, 129, "File name")                                         \
    X(OutputExtension, 130, "Extension of the output files")                   \
    X(NotAvailable, 131, "N/A")                                                \
    X(DriveUnreadable, 132, "The drive cannot be read. Check that it ")        \
    X(NotScanJobsUnticked, 133, "Files that are not scan jobs were untick")    \
    X(ScanJobsSkipped, 134, "Scan jobs were skipped and unticked. Use")        \
    X(Polarizability, 135, "Polarizability")                                   \
    X(SpatialExtent, 136, "Spatial extent")                                    \
    X(Occupied, 137, "Occupied")                                               \
    X(Virtual, 138, "Virtual")                                                 \
    X(FullPaths, 139, "Full paths")                                            \
    X(SameNewName, 150, "Some files would get the same new name.")             \
    X(RowsUnticked, 151, "Those rows were unticked and not renamed")           \
    X(NewNameEmptyOrUnchanged, 152, "Some new names are empty or unchanged.")  \
    X(NewNameExists, 153, "Files with some of the new names already")          \
    X(SheetExportFailed, 154, "The spreadsheet could not be written or ")      \
    X(CpuTime, 160, "CPU time")                                                \
    X(Symmetry, 161, "Symmetry")                                               \
    X(ChargeMultiplicity, 162, "Charge/Multiplicity")                          \
    X(MullikenCharges, 163, "Mulliken charges")                                \
    X(Geometry, 164, "Geometry")                                               \
    X(Frequencies, 165, "Frequencies")                                         \
    X(ThermochemistryBlock, 166, "Thermochemistry")                            \
    X(ReducedMass, 167, "Reduced mass")                                        \
    X(ForceConstant, 168, "Force constant")                                    \
    X(IrIntensity, 169, "IR intensity")                                        \
    X(RamanActivity, 170, "Raman activity")                                    \
    X(DepolarizationP, 171, "Depolarization (P)")                              \
    X(DepolarizationU, 172, "Depolarization (U)")                              \
    X(ThermochemistryTitle, 173, "Thermochemistry")                            \
    X(Thermal, 174, "Thermal")                                                 \
    X(ThermoTotal, 175, "Total")                                               \
    X(ThermoElectronic, 176, "Electronic")                                     \
    X(ThermoTranslational, 177, "Translational")                               \
    X(ThermoRotational, 178, "Rotational")                                     \
    X(ThermoVibrational, 179, "Vibrational")                                   \
    X(CloseQuestion, 180, "Do you want to close Zerlant?")                     \
    X(CloseTitle, 181, "Exit")                                                 \
    X(ToolAim, 190, "AIM")                                                     \
    X(AimType, 191, "Type")                                                    \
    X(Rho, 192, "Rho")                                                         \
    X(DelSqRho, 193, "DelSqRho")                                               \
    X(Ellipticity, 194, "Ellipticity")                                         \
    X(VPotential, 195, "V potential")                                          \
    X(GKinetic, 196, "G kinetic")                                              \
    X(HTotal, 197, "H total")                                                  \
    X(ExcitedStates, 200, "Excited states")                                    \
    X(State, 201, "State")                                                     \
    X(ExcitationEnergy, 202, "Energy")                                         \
    X(Wavelength, 203, "Wavelength")                                           \
    X(OscillatorStrength, 204, "Oscillator strength")                          \
    X(RotatoryStrength, 205, "Rotatory strength")                              \
    X(Transition, 206, "Transition")                                           \
    X(TransitionOrbital, 207, "Orbital")                                       \
    X(MenuFile, 210, "&File")                                                  \
    X(MenuOpenFolder, 211, "&Open folder...")                                  \
    X(MenuExportText, 212, "Export &text...")                                  \
    X(MenuExportSheet, 213, "Export &spreadsheet...")                          \
    X(MenuQuit, 214, "&Quit")                                                  \
    X(MenuTools, 215, "&Tools")                                                \
    X(MenuLanguage, 216, "&Language")                                          \
    X(MenuHelp, 217, "&Help")                                                  \
    X(MenuAbout, 218, "&About Zerlant")                                        \
    X(Close, 219, "&Close")                                                    \
    X(Folder, 220, "Folder")                                                   \
    X(HomeFolder, 221, "Home folder")                                          \
    X(RecentFolders, 222, "Recent folders")                                    \
    X(FolderUnreadable, 223, "The folder does not exist or cannot be r")       \
    X(TextFilter, 225, "Text files (*.txt)")                                   \
    X(SheetFilter, 226, "Spreadsheets (*.xlsx)")                               \
    X(AllFilesFilter, 227, "All files (*)")                                    \
    X(ReplaceQuestion, 228, "%1 already exists. Do you want to replac")        \
    X(ChooseFolder, 229, "Choose a folder")                                    \
    X(SubstituteQuestion, 230, "%1 of %2 ticked files hold the block; re")     \
    X(BlockNotFound, 231, "None of the ticked files holds the block")          \
    X(Undo, 232, "&Undo")                                                      \
    X(NothingToUndo, 233, "There is nothing to undo.")                         \
    X(RunUndone, 234, "The last run was undone.")                              \
    X(UndoRefused, 235, "Cannot undo: these files have changed si")            \
    X(JournalNotSaved, 236, "The record of this run could not be save")        \
    X(UndoTip, 237, "Undo the last run of this tool")                          \
    X(FilterTip, 238, "Several patterns separated by spaces, fo")              \
    X(Cancel, 243, "Cancel")                                                   \
    X(Results, 260, "Results")                                                 \
    X(MainTable, 261, "Main table")                                            \
    X(FilesRead, 262, "Files read")                                            \
    X(FailedCount, 263, "Failed")                                              \
    X(SkippedScanJobs, 264, "Skipped (scan jobs)")                             \
    X(Copy, 265, "Copy")                                                       \
    X(ShowFileBlocks, 266, "Show this file's blocks")                          \
    X(Plot, 267, "Plot")                                                       \
    X(IrSpectrum, 268, "IR spectrum")                                          \
    X(RamanSpectrum, 269, "Raman spectrum")                                    \
    X(UvVisSpectrum, 270, "UV-Vis spectrum")                                   \
    X(EcdSpectrum, 271, "ECD spectrum")                                        \
    X(ScanProfile, 272, "Scan profile")                                        \
    X(WavenumberAxis, 273, "Wavenumber (cm⁻¹)")                                \
    X(WavelengthNm, 274, "Wavelength (nm)")                                    \
    X(EnergyEv, 275, "Energy (eV)")                                            \
    X(IrIntensityAxis, 276, "IR intensity (km/mol)")                           \
    X(RamanActivityAxis, 277, "Raman activity (Å⁴/amu)")                       \
    X(EpsilonAxis, 278, "ε (L mol⁻¹ cm⁻¹)")                                    \
    X(DeltaEpsilonAxis, 279, "Δε (L mol⁻¹ cm⁻¹)")                              \
    X(RotatoryStrengthAxis, 280, "Rotatory strength (10⁻⁴⁰ erg·esu·cm/G)")     \
    X(RelativeEnergyAxis, 281, "Relative energy (kcal/mol)")                   \
    X(ScannedCoordinate, 282, "Scanned coordinate")                            \
    X(LowestPoint, 283, "Lowest point")                                        \
    X(LorentzianWidth, 284, "Lorentzian, full width at half maximum")          \
    X(GaussianSigma, 285, "Gaussian, σ")                                       \
    X(ScaleFactor, 286, "Scale factor")                                        \
    X(Measured, 287, "Measured")                                               \
    X(ScaledBy, 288, "scaled ×")                                               \
    X(OverlayMeasured, 289, "Overlay a measured spectrum...")                  \
    X(SaveImage, 290, "Save image...")                                         \
    X(SaveCurveCsv, 291, "Save the curve as CSV...")                           \
    X(ResetZoom, 292, "Reset zoom")                                            \
    X(PlotWidth, 293, "Width")                                                 \
    X(Skipped, 294, "Skipped")                                                 \
    X(PlotUnit, 295, "Unit")                                                   \
    X(NoSuchSpectrum, 296, "The chosen files hold no such spectrum.")          \
    X(FileNotSaved, 297, "The file could not be saved.")                       \
    X(MeasuredFilter, 298, "Measured spectra (*.txt *.csv *.dat);;Al")         \
    X(AllFiles, 299, "All files")                                              \
    X(Thermochemistry, 300, "Thermochemistry")                                 \
    X(TemperatureK, 301, "Temperature (K)")                                    \
    X(PressureAtm, 302, "Pressure (atm)")                                      \
    X(Concentration, 303, "Concentration (mol/L)")                             \
    X(FrequencyScaleFactor, 304, "Frequency scale factor")                     \
    X(QuasiHarmonicCutoff, 305, "Quasi-harmonic cutoff (cm-1)")                \
    X(QhEnthalpyHeadGordon, 306, "Quasi-harmonic enthalpy (Head-Gordon)")      \
    X(RelativeEnergies, 307, "Relative energies")                              \
    X(Unit, 308, "Unit")                                                       \
    X(Reference, 309, "Reference")                                             \
    X(BoltzmannPopulation, 310, "Boltzmann population")                        \
    X(ElectronicEnergy, 311, "Electronic energy")                              \
    X(ZeroPointEnergy, 312, "Zero-point energy")                               \
    X(Enthalpy, 313, "Enthalpy")                                               \
    X(TS, 314, "T·S")                                                          \
    X(QhTS, 315, "Quasi-harmonic T·S")                                         \
    X(FreeEnergy, 316, "Free energy")                                          \
    X(QhFreeEnergy, 317, "Quasi-harmonic free energy")                         \
    X(QhEnthalpy, 318, "Quasi-harmonic enthalpy")                              \
    X(RelativeG, 319, "Relative G")                                            \
    X(RelativeQhG, 320, "Relative quasi-harmonic G")                           \
    X(FailureReason, 321, "Failure reason")                                    \
    X(ImaginaryFrequencies, 322, "Imaginary frequencies")                      \
    X(LowestFrequency, 323, "Lowest frequency")                                \
    X(SpinSquared, 324, "<S**2>")                                              \
    X(OptimisationConverged, 325, "Optimisation converged")                    \
    X(ImaginaryLeftOut, 327, "imaginary frequencies left out")                 \
    X(NoCompleteThermo, 328, "no complete thermochemistry of a frequen")       \
    X(MenuThermo, 330, "Thermochemistry of the ticked files")                  \
    X(LowestOfEachFormula, 331, "Lowest of each formula")                      \
    X(Note, 332, "Note")                                                       \
    X(CannotBeRead, 333, "cannot be read")                                     \
    X(NoEnergyBeforeThermo, 334, "no electronic energy before the thermoch")   \
    X(FrequenciesNotPrinted, 335, "the frequencies are not printed")           \
    X(ExportEllipsis, 336, "Export...")                                        \
    X(ThermoNothingTicked, 337, "First tick the Gaussian outputs with a f")    \
    X(ColumnE, 338, "E")                                                       \
    X(ColumnZpe, 339, "ZPE")                                                   \
    X(ColumnH, 340, "H")                                                       \
    X(ColumnQhTs, 341, "qh-T·S")                                               \
    X(ColumnG, 342, "G")                                                       \
    X(ColumnQhG, 343, "qh-G")                                                  \
    X(ColumnQhH, 344, "qh-H")                                                  \
    X(ColumnDeltaG, 345, "ΔG")                                                 \
    X(ColumnDeltaQhG, 346, "Δqh-G")                                            \
    X(ColumnBoltzmann, 347, "Boltzmann")                                       \
    X(PublishedScaleFactor, 348, "From the published table")                   \
    X(NoPublishedScaleFactor, 349, "no published scale factor")                \
    X(Vibration, 370, "Vibration")                                             \
    X(CsvFilter, 371, "CSV for scripts (*.csv)")                               \
    X(JsonFilter, 372, "JSON for scripts (*.json)")                            \
    X(Yes, 373, "yes")                                                         \
    X(No, 374, "no")                                                           \
    X(EcdAllZero, 390, "All rotatory strengths of the files read")             \
    X(Curves, 391, "Curves")                                                   \
    X(Map, 392, "Map")                                                         \
    X(View, 393, "View")                                                       \
    X(NeverReplaceInput, 394, "%1 is one of the files read (in the list")      \
    X(NoPairsFound, 395, "No x, y pairs were found in %1.")                    \
    X(Hartree, 400, "hartree")                                                 \
    X(Debye, 401, "debye")                                                     \
    X(DaysHoursMinutesSeconds, 402, "d:h:m:s")                                 \
    X(Wavenumber, 403, "cm⁻¹")                                                 \
    X(ElementaryCharge, 404, "e")                                              \
    X(Angstrom, 405, "Å")                                                      \
    X(AtomicUnits, 406, "au")                                                  \
    X(KcalPerMol, 407, "kcal/mol")                                             \
    X(Amu, 408, "amu")                                                         \
    X(MilliDynePerAngstrom, 409, "mDyne/Å")                                    \
    X(KmPerMol, 410, "km/mol")                                                 \
    X(RamanActivityUnit, 411, "Å⁴/amu")                                        \
    X(BohrCubed, 412, "bohr³")                                                 \
    X(Atom, 413, "Atom")                                                       \
    X(Charge, 414, "Charge")                                                   \
    X(Component, 415, "Component")                                             \
    X(FileTip, 416, "The Gaussian output file read")                           \
    X(FormulaTip, 417, "Molecular formula in Hill order: C, H, t")             \
    X(MethodTip, 418, "Method of the job's last step")                         \
    X(BasisSetTip, 419, "Basis set of the job's last step")                    \
    X(ChargeMultiplicityTip, 420, "Charge and spin multiplicity")              \
    X(SymmetryTip, 421, "Point group of the final structure")                  \
    X(EnergyTip, 422, "SCF energy: of a single point, the archi")              \
    X(EnergyOptTip, 423, "Optimised energy: the archive's HF value")           \
    X(MethodEnergyTip, 424, "Energy of the method that ran (MP2, CCSD")        \
    X(HomoTip, 425, "Energy of the highest occupied molecular")                \
    X(LumoTip, 426, "Energy of the lowest unoccupied molecula")                \
    X(DipoleMomentTip, 427, "Total dipole moment")                             \
    X(VolumeTip, 428, "Molar volume (Volume keyword)")                         \
    X(CavityRadiusTip, 429, "Recommended cavity radius a0 for SCRF")           \
    X(SpatialExtentTip, 430, "Electronic spatial extent <R**2>")               \
    X(EpsTip, 431, "Dielectric constant of the solvent")                       \
    X(RSolvTip, 432, "Solvent radius")                                         \
    X(NonElectrostaticTip, 433, "SCF energy with all non-electrostatic te")    \
    X(CavitationTip, 434, "Cavitation energy")                                 \
    X(DeltaGSolvationTip, 435, "Free energy of solvation")                     \
    X(CpuTimeTip, 436, "CPU time of the job's first step (days:h")             \
    X(StatusTip, 437, "OK for a normal termination, KO for a jo")              \
    X(OrbitalEnergyTip, 438, "Orbital energy (eigenvalue)")                    \
    X(MullikenChargeTip, 439, "Mulliken atomic charge of the last popul")      \
    X(FrequencyTip, 440, "Harmonic frequency; negative when imagin")           \
    X(SkippedNoFrequencies, 441, "Skipped (no frequencies)")                   \
    X(NoFrequencyStep, 442, "skipped: no frequencies")                         \
    X(LocaleCode, 450, "en")                                                   \
    X(RenameDone, 451, "Renamed %1 of %2 ticked files.")                       \
    X(SubstituteDone, 452, "Replaced the block in %1 of %2 ticked fi")         \
    X(BatchDone, 453, "Wrote %1 with %2 jobs.")                                \
    X(ViewMenu, 454, "&View")                                                  \
    X(ViewToolPanel, 455, "Tool panel")                                        \
    X(ViewToolbar, 456, "Toolbar")                                             \
    X(ManualMenu, 457, "&Manual")                                              \
    X(ManualTitle, 458, "Zerlant manual")                                      \
    X(ManualMissing, 459, "The manual is not in %1.")                          \
    X(MenuNextJob, 520, "&Next job...")                                        \
    X(MenuSortJobs, 521, "&Sort jobs by health...")                            \
    X(NextJobTitle, 522, "Next job")                                           \
    X(OutputColumn, 523, "Output")                                             \
    X(DiagnosisColumn, 524, "Diagnosis")                                       \
    X(FixColumn, 525, "Fix proposed")                                          \
    X(NewInputColumn, 526, "New input")                                        \
    X(WriteInputs, 527, "&Write the new inputs")                               \
    X(NoNextInput, 528, "No ticked output gives a new input.")                 \
    X(InputsWritten, 529, "Wrote %1 new inputs.")                              \
    X(AlreadyThere, 530, "already there: not replaced")                        \
    X(SortJobsTitle, 531, "Sort jobs by health")                               \
    X(OutcomeColumn, 532, "Outcome")                                           \
    X(WhyColumn, 533, "Why")                                                   \
    X(MovesColumn, 534, "Moves")                                               \
    X(MoveFiles, 535, "&Move the files")                                       \
    X(FilesMoved, 536, "Moved %1 files; Undo on the Rename panel")             \
    X(NoOutputTicked, 537, "First tick the Gaussian outputs (.out, .")         \
    X(OutcomeDone, 538, "done")                                                \
    X(OutcomeFailed, 539, "failed")                                            \
    X(OutcomeImaginary, 540, "imaginary frequencies")                          \
    X(OutcomeRunning, 541, "running")                                          \
    X(DiagnosisFinished, 542, "ended normally")                                \
    X(DiagnosisOptStopped, 543, "optimisation stopped")                        \
    X(DiagnosisScf, 544, "SCF not converged")                                  \
    X(DiagnosisImaginary, 545, "minimum with imaginary frequencies")           \
    X(DiagnosisTsModes, 546, "transition state with extra modes")              \
    X(DiagnosisInputError, 547, "input error")                                 \
    X(DiagnosisOther, 548, "other failure")                                    \
    X(SinglePointSuffix, 549, "Single-point suffix")                           \
    X(SinglePointFile, 550, "Single point")                                    \
    X(SinglePointE, 551, "E (single point)")                                   \
    X(SinglePointH, 552, "H (single point)")                                   \
    X(SinglePointG, 553, "G (single point)")                                   \
    X(SinglePointQhG, 554, "qh-G (single point)")                              \
    X(SinglePointQhH, 555, "qh-H (single point)")                              \
    X(BoltzmannSum, 556, "Boltzmann-weighted sum (from E)")                    \
    X(NothingWrittenYet, 557, "Nothing is written until you accept; no ")      \
    X(NothingMovedYet, 558, "Nothing is moved until you accept; no fi")        \
    X(CannotMove, 559, "Cannot be moved")                                      \
    X(Structure, 560, "Structure")                                             \
    X(StructureLabels, 561, "Atom labels")                                     \
    X(StructureReset, 562, "Reset view")                                       \
    X(StructureSaveImage, 563, "Save image...")                                \
    X(StructureCopyXyz, 564, "Copy XYZ")                                       \
    X(StructureWatch, 565, "Watch")                                            \
    X(NormalModes, 566, "Normal modes")                                        \
    X(OptimisationSteps, 567, "Optimisation")                                  \
    X(ModeAmplitude, 568, "Amplitude (Å)")                                     \
    X(AnimationSpeed, 569, "Speed")                                            \
    X(ExportModeXyz, 570, "Export mode as XYZ...")                             \
    X(Play, 571, "Play")                                                       \
    X(Pause, 572, "Pause")                                                     \
    X(StepOf, 573, "Step %1 of %2")                                            \
    X(StepEnergy, 574, "Energy (hartree)")                                     \
    X(StepColumn, 575, "Step")                                                 \
    X(MaximumForce, 576, "Maximum force")                                      \
    X(RmsForce, 577, "RMS force")                                              \
    X(MaximumDisplacement, 578, "Maximum displacement")                        \
    X(RmsDisplacement, 579, "RMS displacement")                                \
    X(NoCartesian, 580, "This file prints no Cartesian coordinate")            \
    X(CoordinatesCut, 581, "A coordinate table of this file is cut o")         \
    X(StructureUnreadable, 582, "The file could not be read: %1")              \
    X(Watching, 583, "Watching: the job is still running.")                    \
    X(WatchEnded, 584, "The job has ended; watching stopped.")                 \
    X(WatchTruncated, 585, "The file became shorter while it was wat")         \
    X(WatchReplaced, 586, "The file was replaced by another while i")          \
    X(WatchVanished, 587, "The file is gone; the view shows what ha")          \
    X(DistanceValue, 588, "distance %1 Å")                                     \
    X(AngleValue, 589, "angle %1°")                                            \
    X(DihedralValue, 590, "dihedral %1°")                                      \
    X(MeasureHint, 591, "Drag to rotate, right-drag to move, whee")            \
    X(NoStructureYet, 592, "Select a row of the Extract results or a")         \
    X(NoModes, 593, "This file prints no normal modes.")                       \
    X(NoSteps, 594, "This file prints no optimisation steps.")                 \
    X(Imaginary, 595, "imaginary")                                             \
    X(PngFilter, 596, "PNG image (*.png)")                                     \
    X(XyzFilter, 597, "XYZ file (*.xyz)")                                      \
    X(NotWritten, 598, "The file could not be written: %1")                    \
    X(Converged, 599, "converged")                                             \
    X(NotInList, 600, "%1 is no longer in the working list.")                  \
    X(ConvergenceTitle, 610, "Optimisation convergence")                       \
    X(StepAxis, 611, "Step")                                                   \
    X(EnergyAboveLowest, 612, "Energy above the lowest step (kcal/mol)")       \
    X(CriteriaLogScale, 613, "Convergence criteria (log scale)")               \
    X(CriterionMaximumForce, 614, "Maximum force")                             \
    X(CriterionRmsForce, 615, "RMS force")                                     \
    X(CriterionMaximumDisplacement, 616, "Maximum displacement")               \
    X(CriterionRmsDisplacement, 617, "RMS displacement")                       \
    X(Threshold, 618, "threshold")                                             \
    X(ConvergedStep, 619, "Converged step")

// MessageId{} (0) names no message: a caption that is not looked up.
enum class MessageId : int {
#define ZERLANT_MESSAGE_ENUM(name, number, start) name = number,
    ZERLANT_MESSAGES(ZERLANT_MESSAGE_ENUM)
#undef ZERLANT_MESSAGE_ENUM
};

// The number of the message in idioma.lng.
constexpr int messageNumber(MessageId id) {
    return static_cast<int>(id);
}

}  // namespace zerlant
