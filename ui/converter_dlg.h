// The main dialog: the program's only window and input. Its convert button
// runs a whole conversion, with the dialog as the conversion's host.
#pragma once

#include "convert/conversion_host.h"
#include "framework/controls.h"
#include "framework/dialog.h"

namespace larkfold {

class CConverterDlg : public CDialog, public ConversionHost {
 public:
  explicit CConverterDlg(CWnd* parent = nullptr);
  ~CConverterDlg() override = default;

  BOOL PreTranslateMessage(MSG* message) override;

  // The conversion host.
  bool IsButtonChecked(int controlId) override;
  std::string ControlText(int controlId) override;
  void ShowMessage(std::string_view text, unsigned type) override;
  WindowHandle CreateProgressWindow() override;
  void DestroyProgressWindow(WindowHandle window) override;
  void SendUpdateCommand(WindowHandle window, int frameCount, int frame) override;
  void PumpWaitingMessages() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnBrowse();
  void OnConvert();
  void OnExit();
  void OnClose();
  void OnDestroy();

  // While a conversion runs: ask it to stop and close the progress window.
  void RequestCancel();

  CWnd* EditFor(int controlId);
  CButton* RadioButtonFor(int controlId);

  HICON m_hAppIcon;
  CEdit m_datPath;
  CEdit m_volume;
  CEdit m_speed;
  CButton m_sourceFm;
  CButton m_sourcePcm;
  CButton m_channels[6];  // IDC_CHANNELS_3 to IDC_CHANNELS_8
};

}  // namespace larkfold
