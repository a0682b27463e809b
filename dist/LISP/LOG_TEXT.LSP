;;; LOG_TEXT.LSP - text search log for Tessaline batch scripts.
;;;
;;; Command LOG_TEXT. Its answers come from the script, one line each, in this order:
;;;   1  the search pattern (read whole, blanks kept), a wildcard pattern as wcmatch takes it;
;;;      upper and lower case count
;;;   then the object selection: "ALL" and the empty line that ends it (TEXT objects only)
;;;   2  the report file (read whole, blanks kept)
;;; Every answer is read before anything is written. Each TEXT object whose text matches adds one
;;; line to the end of the report file: the drawing's full path, a tab and the text. A report file
;;; that cannot be opened gives one warning line. One result line goes to the command line.

(if vl-load-com (vl-load-com))

(defun tsl-lt-scan (pattern ss dwg fd / i txt n)
  (setq n 0 i 0)
  (if ss
    (while (< i (sslength ss))
      (setq txt (cdr (assoc 1 (entget (ssname ss i)))))
      (if (and (= (type txt) 'STR) (wcmatch txt pattern))
        (progn (write-line (strcat dwg "\t" txt) fd) (setq n (1+ n)))
      )
      (setq i (1+ i))
    )
  )
  n
)

;; Runs the work so that a failure prints one line instead of ending in an AutoLISP error.
(defun tsl-lt-safely (fn args / r)
  (if vl-catch-all-apply
    (progn
      (setq r (vl-catch-all-apply fn args))
      (if (vl-catch-all-error-p r)
        (progn (princ (strcat "\nLOG_TEXT: stopped: " (vl-catch-all-error-message r))) nil)
        r
      )
    )
    (apply fn args)
  )
)

(defun c:LOG_TEXT (/ *error* pattern ss path fd n)
  (defun *error* (msg) (princ (strcat "\nLOG_TEXT: " msg)) (princ))
  (setq pattern (getstring T "\nText pattern (case counts): "))
  (setq ss (ssget '((0 . "TEXT"))))
  (setq path (getstring T "\nReport file: "))
  (if (setq fd (open path "a"))
    (progn
      (setq n (tsl-lt-safely 'tsl-lt-scan (list pattern ss (strcat (getvar "DWGPREFIX") (getvar "DWGNAME")) fd)))
      (close fd)
      (if n (princ (strcat "\nLOG_TEXT: " (itoa n) " matching text(s) logged to " path)))
    )
    (princ (strcat "\nLOG_TEXT: warning: the report file cannot be opened: " path))
  )
  (princ)
)

(princ)
