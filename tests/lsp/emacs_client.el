;;; emacs_client.el --- eglot against msgbox-lsp, in batch mode  -*- lexical-binding: t -*-
;; Opens LSP_FILE, counts the diagnostics eglot is sent, applies the
;; quickfix "MsgBox neu umbrechen" to the first call, formats the rest of
;; the buffer and saves it. The count goes to LSP_REPORT.
(require 'eglot)
(require 'cl-lib)

(define-derived-mode vb-mode prog-mode "VB")
(add-to-list 'auto-mode-alist '("\\.\\(bas\\|vbs\\|vb\\)\\'" . vb-mode))

(defvar quillon-diagnostics nil)
(cl-defmethod eglot-handle-notification :before
  (_server (_method (eql textDocument/publishDiagnostics)) &key diagnostics &allow-other-keys)
  (setq quillon-diagnostics diagnostics))

(defun quillon-wait (predicate)
  (let ((deadline (+ (float-time) 20)))
    (while (and (not (funcall predicate)) (< (float-time) deadline))
      (accept-process-output nil 0.05))
    (or (funcall predicate) (error "Nothing came from the server"))))

(condition-case problem
    (let* ((file (getenv "LSP_FILE"))
           (buffer (find-file-noselect file)))
      (with-current-buffer buffer
        (eglot '(vb-mode) (cons 'transient (file-name-directory file)) 'eglot-lsp-server
               (list (getenv "MSGBOX_LSP")) "vb")
        (quillon-wait (lambda () quillon-diagnostics))
        (with-temp-file (getenv "LSP_REPORT")
          (insert (format "%s %d\n" (file-name-nondirectory file) (length quillon-diagnostics))))
        (let* ((first (aref quillon-diagnostics 0))
               (line (plist-get (plist-get (plist-get first :range) :start) :line)))
          (goto-char (point-min))
          (forward-line line)
          (eglot-code-actions (point) (point) "quickfix" t))
        (eglot-format-buffer)
        (save-buffer)
        (eglot-shutdown (eglot-current-server))
        (kill-emacs 0)))
  (error (message "FAIL %S" problem) (kill-emacs 1)))
