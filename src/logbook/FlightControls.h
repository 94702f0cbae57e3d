// The controls of one flight, laid out alike in the flight entry window and
// the logbook viewer (same names, same labels, same frames). Each of the two
// windows inherits them, so every control is a member named as in the form.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

#include "logbook/LogRecord.h"
#include "logbook/Logbook.h"

class FlightControls {
  public:
    QLabel* lblDate = nullptr;
    QLineEdit* txtDate = nullptr;
    QLabel* lblMake = nullptr;
    QLineEdit* txtMake = nullptr;
    QLabel* lblIdent = nullptr;
    QLineEdit* txtIdent = nullptr;
    QGroupBox* fraArrive = nullptr;
    QLabel* lblFrom = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLabel* lblTo = nullptr;
    QLineEdit* txtTo = nullptr;
    QLabel* lblRemarks = nullptr;
    QPlainTextEdit* txtRemarks = nullptr;
    QLabel* lblInstrApp = nullptr;
    QLineEdit* txtInstrApp = nullptr;
    QComboBox* cmbIntrApp1 = nullptr;
    QLineEdit* txtIntrApp1 = nullptr;
    QComboBox* cmbIntrApp2 = nullptr;
    QLineEdit* txtIntrApp2 = nullptr;
    QComboBox* cmbInstrApp3 = nullptr;
    QLineEdit* txtIntrApp3 = nullptr;
    QComboBox* cmbInstrApp4 = nullptr;
    QLineEdit* txtInstrApp4 = nullptr;
    QLabel* lblLandings = nullptr;
    QLineEdit* txtLandings = nullptr;
    QLabel* lblNightLand = nullptr;
    QLineEdit* txtNightLand = nullptr;
    QLabel* lblXCountry = nullptr;
    QLineEdit* txtXCountry = nullptr;

    QGroupBox* fraaircrafttype = nullptr;
    QRadioButton* optSingle = nullptr;
    QCheckBox* chkSEL = nullptr;
    QCheckBox* chkSES = nullptr;
    QRadioButton* optMEL = nullptr;
    QCheckBox* chkMEL = nullptr;
    QCheckBox* chkMES = nullptr;
    QRadioButton* optRotor = nullptr;
    QRadioButton* optAirship = nullptr;
    QRadioButton* optGlider = nullptr;
    QButtonGroup* categoryGroup = nullptr;

    QGroupBox* fraConditions = nullptr;
    QLabel* lblDay = nullptr;
    QLineEdit* txtDay = nullptr;
    QLabel* lblNight = nullptr;
    QLineEdit* txtNight = nullptr;
    QLabel* lblInstrument = nullptr;
    QLineEdit* txtInstrument = nullptr;
    QLabel* lblSimInstrument = nullptr;
    QLineEdit* txtSimInstrument = nullptr;
    QLabel* lblGround = nullptr;
    QLineEdit* txtGround = nullptr;

    QGroupBox* fraType = nullptr;
    QLabel* lblDual = nullptr;
    QLineEdit* txtDual = nullptr;
    QLabel* lblInCommand = nullptr;
    QLineEdit* txtInCommand = nullptr;
    QLabel* lblSIC = nullptr;
    QLineEdit* txtSIC = nullptr;
    QLabel* lblSimulator = nullptr;
    QLineEdit* txtSimulator = nullptr;
    QLabel* lblCFI = nullptr;
    QLineEdit* txtCFI = nullptr;
    QLabel* lblCFII = nullptr;
    QLineEdit* txtCFII = nullptr;

    QLabel* lblTotal = nullptr;
    QLineEdit* txtTotal = nullptr;

    // The approach types offered in each of the four combo boxes.
    static QStringList approachTypes();
    static constexpr const char* kSelectType = "Select Type";
    // The remarks box's limit: the field's 100 bytes, a line break counting
    // as the two characters CR LF that the record stores.
    static constexpr int kRemarksLimit = 100;

  protected:
    // Builds every control into host (the returned widget holds them all)
    // in entry order, in their design-time state.
    QWidget* buildFlightControls(QWidget* host);
    // The boxes as typed, for the conversion.
    logbook::FlightInput flightInput() const;
    // Shows a stored flight in the controls (the viewer's display).
    void showFlight(const LogRecord& flight);
    // Whether a flight has been shown; before the first one the controls are blank.
    bool showsFlight() const { return flightShown; }
    // The label texts in entry order with the value each control shows,
    // grouped under the frames of the window, for a printed page.
    using Rows = QList<QPair<QString, QString>>;
    QList<QPair<QString, Rows>> shownValues() const;
    // Display only: nothing can be typed, ticked or picked, yet text can
    // still be selected and copied.
    void makeDisplayOnly();

  private:
    bool flightShown = false;
};
