% Octave puts the function's name in front of a MEX error; after it, each
% function's two argument-count messages must stand exactly as they are, input
% count first, and they carry no identifier.
functions = {"stillcull", 8, "argument"; "moodcull", 9, "argument";
             "anchorfield", 7, "argument"; "vigorfield", 7, "argument";
             "vigorsheet", 7, "argument"; "ringsample", 2, "arguments";
             "driftgauge", 4, "arguments"; "rimvane", 3, "arguments"};
for i = 1:rows (functions)
  [name, count, noun] = functions{i, :};
  inputs = sprintf ("%s: func: %s() requires %d input arguments.", name, name, count);
  outputs = sprintf ("%s: func: %s() requires 1 output %s.", name, name, noun);
  cases = {
    @() feval (name, 1), inputs;
    @() feval (name, cell (1, count + 1){:}), inputs;
    @() feval (name, cell (1, count){:}), outputs;   # no output requested
  };
  for c = 1:rows (cases)
    try
      cases{c, 1} ();
      error ("%s raised no error", name);
    catch err
      assert (err.message, cases{c, 2});
      assert (err.identifier, "");
    end
  end
  try
    [a, b] = feval (name, cell (1, count){:});
    error ("%s raised no error", name);
  catch err
    assert (err.message, outputs);
  end
end
printf ("the count messages of all eight functions are exact\n");
