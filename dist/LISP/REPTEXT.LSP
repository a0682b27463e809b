;;; REPTEXT.LSP - text search and replace for Tessaline batch scripts.
;;;
;;; Command REPTEXT. Its answers come from the script, one line each, in this order:
;;;   1  the search text (read whole, blanks kept; upper and lower case count)
;;;   2  the replacement text (read whole, blanks kept)
;;;   3  Y or N: regular TEXT objects
;;;   4  Y or N: DIMENSION objects (their override text)
;;;   5  Y or N: BLOCKS, that is the TEXT objects and the attribute definitions (default values)
;;;      inside the drawing's block definitions
;;;   6  only after a Y on line 5: Y or N: also the attribute values of the block references
;;;      selected below
;;;   then the object selection: "ALL" and the empty line that ends it.
;;; Every answer is read before anything changes. An empty search text changes nothing. The text
;;; put in is never searched again, so a replacement that holds the search text cannot loop.
;;; One result line goes to the command line.

(if vl-load-com (vl-load-com))

;; The text with every occurrence of old replaced by new, left to right, and how many there were:
;; (text count). An empty old text gives the text unchanged.
(defun tsl-rt-replace (str old new / olen len pos out n)
  (setq olen (strlen old) len (strlen str) out "" n 0 pos 1)
  (if (> olen 0)
    (while (<= (+ pos olen -1) len)
      (if (= (substr str pos olen) old)
        (setq out (strcat out new) pos (+ pos olen) n (1+ n))
        (setq out (strcat out (substr str pos 1)) pos (1+ pos))
      )
    )
  )
  (list (strcat out (substr str pos)) n)
)

;; "Y" (or any answer that starts with Y) in either case.
(defun tsl-rt-yes (answer)
  (wcmatch (strcase answer) "Y*")
)

;; Replaces in the text (group 1) of one object; 1 when it changed, else 0.
(defun tsl-rt-entity (e old new / ed pair r)
  (setq ed (entget e) pair (assoc 1 ed))
  (if (and pair (= (type (cdr pair)) 'STR))
    (progn
      (setq r (tsl-rt-replace (cdr pair) old new))
      (if (and (> (cadr r) 0) (entmod (subst (cons 1 (car r)) pair ed)))
        1
        0
      )
    )
    0
  )
)

;; The attribute values of one block reference; the number changed.
(defun tsl-rt-attribs (ins old new / e ed n)
  (setq n 0)
  (if (= (cdr (assoc 66 (entget ins))) 1)
    (progn
      (setq e (entnext ins))
      (while (and e (setq ed (entget e)) (= (cdr (assoc 0 ed)) "ATTRIB"))
        (setq n (+ n (tsl-rt-entity e old new)) e (entnext e))
      )
      (if (> n 0) (entupd ins))
    )
  )
  n
)

;; TEXT and ATTDEF objects inside the block definitions, leaving out anonymous blocks and external
;; references with what depends on them; the number changed.
(defun tsl-rt-blockdefs (old new / rec e n typ)
  (setq n 0 rec (tblnext "BLOCK" T))
  (while rec
    (if (= 0 (logand (cdr (assoc 70 rec)) 61))
      (progn
        (setq e (cdr (assoc -2 rec)))
        (while e
          (setq typ (cdr (assoc 0 (entget e))))
          (if (member typ '("TEXT" "ATTDEF"))
            (setq n (+ n (tsl-rt-entity e old new)))
          )
          (setq e (entnext e))
        )
      )
    )
    (setq rec (tblnext "BLOCK"))
  )
  n
)

(defun tsl-rt-work (old new dotext dodims doblocks doattribs ss / i e typ n)
  (setq n 0 i 0)
  (if ss
    (while (< i (sslength ss))
      (setq e (ssname ss i) typ (cdr (assoc 0 (entget e))))
      (cond
        ((and dotext (= typ "TEXT")) (setq n (+ n (tsl-rt-entity e old new))))
        ((and dodims (= typ "DIMENSION")) (setq n (+ n (tsl-rt-entity e old new))))
        ((and doattribs (= typ "INSERT")) (setq n (+ n (tsl-rt-attribs e old new))))
      )
      (setq i (1+ i))
    )
  )
  (if doblocks (setq n (+ n (tsl-rt-blockdefs old new))))
  n
)

;; Runs the work so that a failure prints one line instead of ending in an AutoLISP error.
(defun tsl-rt-safely (fn args / r)
  (if vl-catch-all-apply
    (progn
      (setq r (vl-catch-all-apply fn args))
      (if (vl-catch-all-error-p r)
        (progn (princ (strcat "\nREPTEXT: stopped: " (vl-catch-all-error-message r))) nil)
        r
      )
    )
    (apply fn args)
  )
)

(defun c:REPTEXT (/ *error* old new dotext dodims doblocks doattribs ss n)
  (defun *error* (msg) (princ (strcat "\nREPTEXT: " msg)) (princ))
  (setq old (getstring T "\nSearch for: "))
  (setq new (getstring T "\nReplace with: "))
  (setq dotext (tsl-rt-yes (getstring T "\nProcess regular TEXT objects [Y/N]: ")))
  (setq dodims (tsl-rt-yes (getstring T "\nProcess DIMENSION objects [Y/N]: ")))
  (setq doblocks (tsl-rt-yes (getstring T "\nProcess BLOCKS [Y/N]: ")))
  (if doblocks
    (setq doattribs (tsl-rt-yes (getstring T "\nAlso the attribute values of the selected block references [Y/N]: ")))
  )
  (setq ss (ssget))
  (if (= old "")
    (princ "\nREPTEXT: no search text, nothing changed.")
    (if (setq n (tsl-rt-safely 'tsl-rt-work (list old new dotext dodims doblocks doattribs ss)))
      (princ (strcat "\nREPTEXT: " (itoa n) " text(s) changed."))
    )
  )
  (princ)
)

(princ)
