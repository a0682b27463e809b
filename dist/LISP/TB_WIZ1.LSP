;;; TB_WIZ1.LSP - title-block attribute update for Tessaline batch scripts.
;;;
;;; Command TB_WIZ1. Its answers come from the script, one line each, in this order:
;;;   1  the block name, in double quotes (the quotes are taken off)
;;;   2  the attribute tag
;;;   3  the new value (read whole, blanks kept)
;;; Every answer is read before anything changes. The attribute of that tag gets the new value in
;;; every reference of that block, in model space and on every layout (block name and tag compared
;;; ignoring case; references of a dynamic block count by the block they were made from). One result
;;; line goes to the command line.

(if vl-load-com (vl-load-com))

;; The answer without one enclosing pair of double quotes.
(defun tsl-tb-unquote (s)
  (if (and (> (strlen s) 0) (= (substr s 1 1) "\""))
    (setq s (substr s 2))
  )
  (if (and (> (strlen s) 0) (= (substr s (strlen s) 1) "\""))
    (setq s (substr s 1 (1- (strlen s))))
  )
  s
)

;; The block a dynamic block's anonymous reference was made from; "" when it cannot be told.
(defun tsl-tb-effective (e / r)
  (setq r "")
  (if (and vl-catch-all-apply vlax-ename->vla-object)
    (progn
      (setq r (vl-catch-all-apply 'vla-get-EffectiveName (list (vlax-ename->vla-object e))))
      (if (or (vl-catch-all-error-p r) (/= (type r) 'STR)) (setq r ""))
    )
  )
  r
)

(defun tsl-tb-isblock (e bname / name)
  (setq name (cdr (assoc 2 (entget e))))
  (or (= (strcase name) (strcase bname))
      (and (wcmatch name "`*U*") (= (strcase (tsl-tb-effective e)) (strcase bname)))
  )
)

;; Sets the attribute of that tag in one reference; the number of attributes changed.
(defun tsl-tb-setatt (ins tag value / e ed n)
  (setq n 0 e (entnext ins))
  (while (and e (setq ed (entget e)) (= (cdr (assoc 0 ed)) "ATTRIB"))
    (if (and (= (strcase (cdr (assoc 2 ed))) (strcase tag))
             (entmod (subst (cons 1 value) (assoc 1 ed) ed))
        )
      (setq n (1+ n))
    )
    (setq e (entnext e))
  )
  (if (> n 0) (entupd ins))
  n
)

(defun tsl-tb-work (bname tag value / ss i e n)
  (setq n 0 i 0 ss (ssget "_X" '((0 . "INSERT") (66 . 1))))
  (if ss
    (while (< i (sslength ss))
      (setq e (ssname ss i))
      (if (tsl-tb-isblock e bname)
        (setq n (+ n (tsl-tb-setatt e tag value)))
      )
      (setq i (1+ i))
    )
  )
  n
)

;; Runs the work so that a failure prints one line instead of ending in an AutoLISP error.
(defun tsl-tb-safely (fn args / r)
  (if vl-catch-all-apply
    (progn
      (setq r (vl-catch-all-apply fn args))
      (if (vl-catch-all-error-p r)
        (progn (princ (strcat "\nTB_WIZ1: stopped: " (vl-catch-all-error-message r))) nil)
        r
      )
    )
    (apply fn args)
  )
)

(defun c:TB_WIZ1 (/ *error* bname tag value n)
  (defun *error* (msg) (princ (strcat "\nTB_WIZ1: " msg)) (princ))
  (setq bname (tsl-tb-unquote (getstring T "\nBlock name: ")))
  (setq tag (getstring T "\nAttribute tag: "))
  (setq value (getstring T "\nNew value: "))
  (cond
    ((or (= bname "") (= tag "")) (princ "\nTB_WIZ1: no block name or no tag, nothing changed."))
    ((setq n (tsl-tb-safely 'tsl-tb-work (list bname tag value)))
      (princ (strcat "\nTB_WIZ1: " tag " set in " (itoa n) " attribute(s) of block " bname "."))
    )
  )
  (princ)
)

(princ)
