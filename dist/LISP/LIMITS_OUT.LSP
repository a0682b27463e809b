;;; LIMITS_OUT.LSP - drawing limits report for Tessaline batch scripts.
;;;
;;; Command LIMITS_OUT. Its one answer comes from the script:
;;;   1  the report file (read whole, blanks kept)
;;; It adds one CSV line to the end of the report file: the drawing's full path in double quotes,
;;; then the lower left limits X and Y and the upper right limits X and Y (LIMMIN and LIMMAX of
;;; the current space). A report file that cannot be opened gives one warning line. One result line
;;; goes to the command line.

(if vl-load-com (vl-load-com))

;; A CSV field: the text in double quotes, each double quote inside doubled.
(defun tsl-lo-field (str / pos out c)
  (setq out "" pos 1)
  (while (<= pos (strlen str))
    (setq c (substr str pos 1) pos (1+ pos))
    (setq out (strcat out (if (= c "\"") "\"\"" c)))
  )
  (strcat "\"" out "\"")
)

;; The report line of the drawing.
(defun tsl-lo-line (/ ll ur)
  (setq ll (getvar "LIMMIN") ur (getvar "LIMMAX"))
  (strcat (tsl-lo-field (strcat (getvar "DWGPREFIX") (getvar "DWGNAME")))
          "," (rtos (car ll) 2 4) "," (rtos (cadr ll) 2 4)
          "," (rtos (car ur) 2 4) "," (rtos (cadr ur) 2 4))
)

;; Runs the work so that a failure prints one line instead of ending in an AutoLISP error.
(defun tsl-lo-safely (fn args / r)
  (if vl-catch-all-apply
    (progn
      (setq r (vl-catch-all-apply fn args))
      (if (vl-catch-all-error-p r)
        (progn (princ (strcat "\nLIMITS_OUT: stopped: " (vl-catch-all-error-message r))) nil)
        r
      )
    )
    (apply fn args)
  )
)

(defun c:LIMITS_OUT (/ *error* path line fd)
  (defun *error* (msg) (princ (strcat "\nLIMITS_OUT: " msg)) (princ))
  (setq path (getstring T "\nCSV report file: "))
  (cond
    ((null (setq line (tsl-lo-safely 'tsl-lo-line nil))))
    ((setq fd (open path "a"))
      (write-line line fd)
      (close fd)
      (princ (strcat "\nLIMITS_OUT: limits written to " path))
    )
    (T (princ (strcat "\nLIMITS_OUT: warning: the report file cannot be opened: " path)))
  )
  (princ)
)

(princ)
